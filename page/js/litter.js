// The view Litter, and the litter of an exercise's answer: the parents, the
// warnings and the groups with their figures (or only those of a colour
// looked for, and their figures together), a group opened to its carriers
// and members. Every request names its litter (parents, language, order,
// colour), so the core's answers never hang on what it was asked before.

const MEMBERS_PAGE = 100;

// The columns of a group after its description: the key of its figure in
// the core's answer and the heading's text.
const CELLS = [['frac', 'colShare'], ['pct', 'colPercent'], ['born', 'colBorn'], ['one', 'colOne'], ['exp', 'colExp']];

// A group's figures by column, as the core writes them; a figure the core
// leaves out (a lethal group's, or the share of the born where none are
// lethal) is an empty cell.
const groupCells = (group) => ({
  frac: fractionText(group.chance),
  pct: group.figures.percent,
  born: group.figures.live,
  one: group.figures.at_least_one,
  exp: group.figures.expected,
});

// The fields of the core's requests about a litter shown.
const litterFields = (asked, verb, ...rest) =>
  [verb, asked.lang, asked.male, asked.female, ...(verb === 'litter' ? [asked.pups] : []), asked.sort, asked.find, ...rest];

// Shows the litter of a pairing in box: the parents, the warnings and the
// groups, the first screen of them at once and the rest in the tasks after.
// onAnswer(answer) hears the core's answer first, error or not.
function renderLitter(box, male, female, pups, find, idPrefix, onAnswer = () => {}) {
  const job = ++state.jobs;
  const t0 = performance.now();
  box.dataset.job = String(job);
  delete box.dataset.firstScreenMs;
  setState(box, 'working');
  const busy = el('p', 'note', say('working'));
  busy.setAttribute('role', 'status');
  box.replaceChildren(busy);
  const asked = { lang: state.lang, male, female, pups, sort: state.sort, find };
  const current = () => box.dataset.job === String(job);
  afterPaint(() => {
    if (!current()) return;
    const start = performance.now();
    const text = askText(...litterFields(asked, 'litter'));
    performance.measure('quorvale: the core answers a litter', { start });
    nextTask(() => {
      if (!current()) return;
      const parsed = performance.now();
      const answer = JSON.parse(text);
      onAnswer(answer);
      if (answer.error) {
        // A wrong number of young or colour is said at its field; the
        // litter before goes either way.
        if (answer.input === 'pups' || answer.input === 'find') {
          box.replaceChildren();
          return setState(box, 'error');
        }
        return showError(box, answer.error);
      }
      // Parents given by their coats: a litter as a stock's (stock.js).
      const mixed = Boolean(answer.possible);
      box.replaceChildren(...(mixed ? mixedHead(answer, idPrefix, redoLitters) : litterHead(answer, idPrefix)));
      if (state.refocus && $(state.refocus)) $(state.refocus).focus();
      state.refocus = null;
      const table = groupTable(answer, asked, mixed ? openMixedGroup : toggleGroup);
      // No group of the colour looked for: the core's line instead.
      const none = answer.find && answer.find.none_line;
      box.append(none ? el('p', 'none-found note', none) : table.element, ...(mixed ? possibleList(answer) : []));
      table.more(40);
      performance.measure('quorvale: the answer read and its first rows made', { start: parsed });
      afterPaint(() => {
        if (!current()) return;
        const first = performance.now() - t0;
        box.dataset.firstScreenMs = String(first);
        state.times.litterFirstScreen = first;
        const step = () => {
          if (!current()) return;
          if (table.more()) return nextTask(step);
          state.times.litterAll = performance.now() - t0;
          setState(box, 'done');
        };
        step();
      });
    });
  });
}

function parentBlock(role, animal) {
  const block = el('div', 'parent');
  block.dataset.hook = role;
  const head = el('p', 'who', say(role) + ' ');
  head.append(el('code', 'genotype', animal.genotype));
  block.append(head, descriptionBlock(animal));
  if (animal.carrier_line) block.append(el('p', 'carrier', animal.carrier_line));
  return block;
}

function litterHead(answer, idPrefix) {
  const parents = el('div', 'parents');
  parents.append(parentBlock('male', answer.male), parentBlock('female', answer.female));
  const parts = [parents];
  if (answer.warnings.length) {
    const list = el('ul', 'warnings');
    for (const w of answer.warnings) list.append(el('li', 'warn', w));
    parts.push(list);
  }
  if (answer.lethal_line) parts.push(el('p', 'lethal-line warn', answer.lethal_line));
  const bar = el('div', 'toolbar');
  bar.append(el('p', 'count', say('groups') + answer.groups.length));
  const field = el('div', 'order');
  const label = el('label', '', say('order'));
  label.htmlFor = idPrefix + '-order';
  const select = el('select');
  select.id = idPrefix + '-order';
  for (const [value, key] of [['text', 'orderText'], ['share', 'orderShare']]) {
    const option = el('option', '', say(key));
    option.value = value;
    select.append(option);
  }
  select.value = state.sort;
  select.addEventListener('change', () => {
    state.sort = select.value;
    state.refocus = select.id;
    redoLitters();
  });
  field.append(label, select);
  bar.append(field);
  parts.push(bar);
  return parts;
}

// The table of a litter's groups, filled a slice at a time by more(): true
// while rows remain; open(row, group, i, asked) opens a group.
function groupTable(answer, asked, open = toggleGroup) {
  const groups = answer.groups;
  const young = Number(asked.pups);
  const table = el('div', 'groups' + (answer.lethal ? ' born' : ''));
  table.setAttribute('role', 'table');
  const head = el('div', 'gh');
  head.setAttribute('role', 'row');
  for (const [cls, key] of [['desc', 'colColour'], ...CELLS]) {
    const cell = el('div', 'c-' + cls, say(key, young));
    cell.setAttribute('role', 'columnheader');
    head.append(cell);
    if (cls !== 'desc') table.style.setProperty('--l-' + cls, JSON.stringify(say(key, young)));
  }
  table.append(head);
  let next = 0;
  let chunk = null;
  const addRow = (i) => {
    if (i % 200 === 0) {
      chunk = el('div', 'chunk');
      chunk.setAttribute('role', 'rowgroup');
      table.append(chunk);
    }
    const g = groups[i];
    const row = el('div', 'g' + (g.lethal ? ' lethal' : ''));
    row.setAttribute('role', 'row');
    row.dataset.i = String(i);
    const desc = el('div', 'c-desc');
    desc.setAttribute('role', 'cell');
    const open = el('button', 'g-open');
    open.type = 'button';
    open.setAttribute('aria-expanded', 'false');
    open.append(descriptionBlock(g, 'span'));
    desc.append(open);
    row.append(desc);
    const cells = groupCells(g);
    for (const [cls] of CELLS) {
      const cell = el('div', 'c-' + cls + ' num', cells[cls] || '');
      cell.setAttribute('role', 'cell');
      row.append(cell);
    }
    chunk.append(row);
  };
  table.addEventListener('click', (event) => {
    const button = event.target.closest('.g-open, .m-more');
    if (!button || !table.contains(button)) return;
    const row = button.closest('.g');
    const i = Number(row.dataset.i);
    if (button.classList.contains('g-open')) open(row, groups[i], i, asked);
    else moreMembers(row, i, asked);
  });
  // The figures of the groups of a colour looked for, all of them together.
  const together = answer.find && answer.find.together;
  const addTogether = () => {
    const row = el('div', 'g together');
    row.setAttribute('role', 'row');
    const desc = el('div', 'c-desc');
    desc.setAttribute('role', 'cell');
    desc.append(el('span', 'line', together.line));
    row.append(desc);
    const cells = groupCells(together);
    for (const [cls] of CELLS) {
      const cell = el('div', 'c-' + cls + ' num', cells[cls] || '');
      cell.setAttribute('role', 'cell');
      row.append(cell);
    }
    table.append(row);
  };
  const more = (count) => {
    const end = performance.now() + 12;
    const last = count ? Math.min(groups.length, next + count) : groups.length;
    while (next < last && (count || performance.now() < end)) addRow(next++);
    if (next === groups.length && together && !table.querySelector('.together')) addTogether();
    return next < groups.length;
  };
  return { element: table, more };
}

// Opens a group to its carriers and members, or closes it.
function toggleGroup(row, group, i, asked) {
  const button = row.querySelector('.g-open');
  const open = button.getAttribute('aria-expanded') !== 'true';
  button.setAttribute('aria-expanded', String(open));
  row.classList.toggle('open', open);
  let more = row.querySelector('.g-more');
  if (more) {
    more.hidden = !open;
    return;
  }
  more = el('div', 'g-more');
  more.setAttribute('role', 'cell');
  more.id = `${row.closest('.out').id}-g${i}`;
  button.setAttribute('aria-controls', more.id);
  const answer = ask(...litterFields(asked, 'carriers', i));
  if (answer.error) {
    more.append(errorLine(answer.error));
  } else if (answer.carriers.length) {
    const list = el('ul', 'carriers');
    for (const c of answer.carriers) {
      const item = el('li', 'carrier');
      item.append(el('span', 'k-frac num', fractionText(c.chance)),
                  el('span', 'k-pct num', c.figures.percent),
                  el('span', 'k-text', c.line));
      list.append(item);
    }
    more.append(list);
  }
  more.append(wrapped('p', 'more-link', linesLink(group.line)));
  more.append(el('p', 'm-head', say('members')));
  const members = el('ol', 'members');
  members.tabIndex = 0;
  members.setAttribute('aria-label', say('members'));
  const status = el('p', 'm-status');
  status.setAttribute('role', 'status');
  const next = el('button', 'm-more secondary', say('more', MEMBERS_PAGE));
  next.type = 'button';
  const foot = el('div', 'm-foot');
  foot.append(status, next);
  more.append(members, foot);
  row.append(more);
  moreMembers(row, i, asked);
}

// The next page of a group's members.
function moreMembers(row, i, asked) {
  const list = row.querySelector('.members');
  const first = list.children.length;
  const answer = ask(...litterFields(asked, 'members', i, first, MEMBERS_PAGE));
  const box = row.closest('.out');
  if (answer.error) {
    row.querySelector('.m-status').replaceChildren(errorLine(answer.error));
  } else {
    for (const m of answer.members) {
      const item = el('li', 'member');
      item.append(el('span', 'm-frac', fractionText(m.chance)), genotypeLink(m.genotype, 'm-gen'));
      list.append(item);
    }
    const count = list.children.length;
    row.querySelector('.m-status').textContent = say('shownOf', count, answer.total);
    row.querySelector('.m-more').hidden = count >= answer.total;
  }
  box.dataset.membersSeq = String(Number(box.dataset.membersSeq || 0) + 1);
}

// A field of the form (the number of young, the colour looked for), and the
// core's word on it.
function markField(id, error) {
  const field = $(id);
  const line = $(id + '-error');
  field.setAttribute('aria-invalid', String(Boolean(error)));
  line.hidden = !error;
  line.textContent = error || '';
}

function showLitter(push = false) {
  const male = $('litter-male').value.trim();
  const female = $('litter-female').value.trim();
  const pups = $('litter-pups').value.trim();
  const find = $('litter-find').value.trim();
  state.inputs.litter = [['litter', male + ',' + female], ['pups', pups], ...(find ? [['find', find]] : [])];
  state.find = find;
  state.shown.litter = {
    lang: state.lang,
    again: () => renderLitter($('litter-out'), male, female, pups, find, 'litter', (answer) => {
      markField('litter-pups', answer.input === 'pups' ? answer.error : null);
      markField('litter-find', answer.input === 'find' ? answer.error : null);
      if (!answer.error) state.pups = pups;
    }),
  };
  writeAddress(push);
  state.shown.litter.again();
}

// A genotype sent to the Litter form as a parent: the litter at once when
// the other parent is there, otherwise the other's field, and no litter
// under fields that no longer ask for it.
function sendToLitter(genotype, role) {
  $('litter-' + role).value = genotype;
  const other = $(role === 'male' ? 'litter-female' : 'litter-male');
  if (other.value.trim()) {
    showView('litter', false);
    return showLitter(true);
  }
  $('litter-out').replaceChildren();
  delete state.shown.litter;
  state.inputs.litter = [['litter', '']];
  showView('litter');
  other.focus();
}

// Shows the litters again, in the new order or for a new number of young.
function redoLitters() {
  for (const name of ['litter', 'task']) {
    const s = state.shown[name];
    if (!s) continue;
    if (name === state.view) s.again();
    else s.lang = null;
  }
}
