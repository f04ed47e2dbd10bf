// The view Exercise: the pairing of a task number, the same as the
// program's options 3 and 4 give, with its litter as the answer on demand.

function showTask(number, push = false) {
  if (number !== undefined) $('task-number').value = String(number);
  const text = $('task-number').value.trim();
  const easy = $('task-easy').checked;
  const box = $('task-out');
  state.inputs.task = easy ? [['task', text], ['easy', '1']] : [['task', text]];
  writeAddress(push);
  const again = (withAnswer) => {
    const reply = ask('task', state.lang, text, easy ? 1 : 0);
    state.shown.task = { lang: state.lang, again: () => again(Boolean(state.shown.task.answer)) };
    if (reply.error) return showError(box, reply.error);
    const task = reply.tasks[0];
    const head = el('div', 'card exercise');
    head.append(el('h2', 'task-title', say('taskTitle', task.number, task.easy)));
    const pair = el('p', 'pair');
    pair.append(el('span', 'who', say('male') + ' '), el('code', 'genotype task-male', task.male),
                el('span', 'times', ' × '),
                el('span', 'who', say('female') + ' '), el('code', 'genotype task-female', task.female));
    head.append(pair, el('p', 'question', say('question')));
    const button = el('button', 'primary', say('showAnswer'));
    button.type = 'button';
    button.id = 'task-answer-button';
    const answer = el('div', 'out answer');
    answer.id = 'task-answer';
    answer.setAttribute('aria-live', 'polite');
    const reveal = () => {
      state.shown.task.answer = true;
      button.hidden = true;
      renderLitter(answer, task.male, task.female, state.pups, '', 'task');
    };
    button.addEventListener('click', reveal);
    head.append(button);
    box.replaceChildren(head, answer);
    setState(box, 'done');
    if (withAnswer) reveal();
  };
  again(false);
}

// A task of a number the browser draws.
function showRandomTask() {
  const random = new Uint32Array(1);
  crypto.getRandomValues(random);
  showTask(1 + (random[0] % 9999), true);
}
