// The view Stock: a breeder's records (a CSV file opened from the device or
// pasted), every animal's genes as the core infers them, and the litter of
// two of its animals. The file's bytes go to the core with each request
// and nothing leaves the device. Working out a stock may take longer than
// a task of the page should, so the core answers about a stock in a worker
// of its own: the same module, in a worker made from this page's own
// script (a Blob URL; the page's CSP allows worker-src blob: alone).
//
// The litters of parents known by their coats (the Litter view's colour
// lines) and of two animals of a stock are laid out alike: parents by
// name and coat, the warnings with their chance, the assumption, the
// groups with their carriers and members in the answer, and the groups
// that more unseen alleles could give.

const STOCK_KEY = 'quorvale-stock';

// The worker's program: the module posted to it, then requests of fields
// and a file's bytes, each answered with the core's answer, read.
function coreWorker() {
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();
  let ready = null;
  onmessage = (event) => {
    const message = event.data;
    if (message.module) {
      ready = WebAssembly.instantiate(message.module, {}).then((instance) => {
        instance.exports._initialize();
        return instance.exports;
      });
      return;
    }
    ready.then((core) => {
      const head = encoder.encode(message.fields.map((f) => String(f).replace(/[\r\n]/g, ' ')).join('\n') + '\n');
      const size = head.length + message.bytes.length;
      const room = core.qv_request_room(size) >>> 0;
      const into = new Uint8Array(core.memory.buffer, room, size);
      into.set(head);
      into.set(message.bytes, head.length);
      const length = core.qv_answer(size) >>> 0;
      const at = core.qv_answer_bytes() >>> 0;
      const answer = JSON.parse(decoder.decode(new Uint8Array(core.memory.buffer, at, length)));
      postMessage({ id: message.id, answer });
    }, (error) => postMessage({ id: message.id, answer: { error: String(error), input: 'request' } }));
  };
}

const stockWork = { worker: null, next: 0, waiting: new Map() };

// The core's answer (read) to a request about the stock's bytes, from the
// worker.
function askStock(fields, bytes) {
  if (!stockWork.worker) {
    const source = `(${coreWorker.toString()})();`;
    const url = URL.createObjectURL(new Blob([source], { type: 'text/javascript' }));
    stockWork.worker = new Worker(url);
    URL.revokeObjectURL(url);
    stockWork.worker.onmessage = (event) => {
      const { id, answer } = event.data;
      const done = stockWork.waiting.get(id);
      stockWork.waiting.delete(id);
      done(answer);
    };
    stockWork.worker.postMessage({ module: state.module });
  }
  const id = ++stockWork.next;
  return new Promise((resolve) => {
    stockWork.waiting.set(id, resolve);
    stockWork.worker.postMessage({ id, fields, bytes });
  });
}

// The stock shown: its bytes, and the answer's animals.
const stockState = { bytes: null, animals: [], job: 0, proveJob: 0 };

// The device's memory of the last stock, only when the user asked for it.
function rememberStock() {
  try {
    if ($('stock-remember').checked && stockState.bytes) {
      localStorage.setItem(STOCK_KEY, new TextDecoder().decode(stockState.bytes));
    }
  } catch (e) { /* a browser without local storage remembers nothing */ }
}

function forgetStock() {
  try {
    localStorage.removeItem(STOCK_KEY);
  } catch (e) { /* nothing was kept */ }
  $('stock-remember').checked = false;
}

function rememberedStock() {
  try {
    return localStorage.getItem(STOCK_KEY);
  } catch (e) {
    return null;
  }
}

// Reads the stock of the bytes given and shows its animals.
function showStock(bytes) {
  stockState.bytes = bytes;
  rememberStock();
  const box = $('stock-out');
  const job = ++stockState.job;
  const t0 = performance.now();
  state.shown.stock = { lang: state.lang, again: () => showStock(stockState.bytes) };
  setState(box, 'working');
  box.replaceChildren(wrapped('p', 'note', say('working')));
  $('stock-litter-form').hidden = true;
  $('stock-litter-out').replaceChildren();
  $('stock-prove-form').hidden = true;
  $('stock-animal-out').replaceChildren();
  Promise.all([askStock(['stock', state.lang], bytes), askStock(['stocktext', state.lang], bytes)])
    .then(([answer, text]) => {
      if (job !== stockState.job) return;
      if (answer.error) {
        const list = el('ul', 'faults');
        for (const fault of answer.faults || [answer.error]) list.append(wrapped('li', '', errorLine(fault)));
        box.replaceChildren(list);
        return setState(box, 'error');
      }
      stockState.animals = answer.animals;
      box.replaceChildren(stockTable(text.text));
      fillParents();
      $('stock-litter-form').hidden = false;
      $('stock-prove-form').hidden = false;
      box.dataset.ms = String(performance.now() - t0);
      state.times.stock = performance.now() - t0;
      setState(box, 'done');
      if (stockState.litter) showStockLitter();
    });
}

// The core's text answer as a table: an animal's line (name, sex, coat),
// then a line for each of its genes with its states, as the core wrote
// them, tab by tab.
function stockTable(text) {
  const table = el('table', 'stock');
  const body = el('tbody');
  for (const line of text.split('\n')) {
    if (!line) continue;
    const cells = line.split('\t');
    const row = el('tr', cells[0] ? 'animal' : 'gene');
    for (const [i, cell] of cells.entries()) {
      const c = el(i === 0 && cells[0] ? 'th' : 'td', '', cell);
      if (i === 0 && cells[0]) c.scope = 'row';
      row.append(c);
    }
    body.append(row);
  }
  table.append(body);
  return wrapped('div', 'scroll', table);
}

// The choices of a select: each named animal the test keeps, the one chosen
// kept when it is still there.
function fillAnimals(select, keep) {
  const was = select.value;
  select.replaceChildren();
  for (const animal of stockState.animals) {
    if (!keep(animal)) continue;
    const option = el('option', '', animal.coat ? `${animal.name} (${animal.coat})` : animal.name);
    option.value = animal.name;
    select.append(option);
  }
  if ([...select.options].some((o) => o.value === was)) select.value = was;
}

// The parents' choices, each named animal of that sex, and the animals of
// a known sex to test.
function fillParents() {
  fillAnimals($('stock-male'), (animal) => animal.sex === 'male');
  fillAnimals($('stock-female'), (animal) => animal.sex === 'female');
  fillAnimals($('stock-animal'), (animal) => Boolean(animal.sex));
}

// Shows the test matings of the animal chosen: the core's text, tab by
// tab, as the stock's animals are shown.
function showMatings() {
  const name = $('stock-animal').value;
  const box = $('stock-animal-out');
  if (!name) return box.replaceChildren();
  const job = ++stockState.proveJob;
  const t0 = performance.now();
  setState(box, 'working');
  box.replaceChildren(wrapped('p', 'note', say('working')));
  askStock(['provetext', state.lang, name], stockState.bytes).then((answer) => {
    if (job !== stockState.proveJob) return;
    if (answer.error) return showError(box, answer.error);
    box.replaceChildren(stockTable(answer.text));
    box.dataset.ms = String(performance.now() - t0);
    state.times.prove = performance.now() - t0;
    setState(box, 'done');
  });
}

// Shows the litter of the two animals chosen.
function showStockLitter() {
  const male = $('stock-male').value;
  const female = $('stock-female').value;
  const box = $('stock-litter-out');
  if (!male || !female) return box.replaceChildren();
  stockState.litter = true;
  const job = ++stockState.job;
  const t0 = performance.now();
  setState(box, 'working');
  box.replaceChildren(wrapped('p', 'note', say('working')));
  const asked = { lang: state.lang, male, female, pups: state.pups, sort: state.sort };
  askStock(['stocklitter', asked.lang, male, female, asked.pups, asked.sort], stockState.bytes).then((answer) => {
    if (job !== stockState.job) return;
    if (answer.error) return showError(box, answer.error);
    showMixedLitter(box, answer, asked, 'stock', () => showStockLitter());
    box.dataset.ms = String(performance.now() - t0);
    state.times.stockLitter = performance.now() - t0;
  });
}

// The head of a litter of parents known by their names and coats: the
// parents, the warnings (with their chance when they may not hold), the
// assumption and the lethal line, and the bar of the groups' order.
function mixedHead(answer, idPrefix, onOrder) {
  const parents = el('div', 'parents');
  for (const role of ['male', 'female']) {
    const parent = answer[role];
    const block = el('div', 'parent');
    block.dataset.hook = role;
    const head = el('p', 'who', say(role) + ' ');
    if (parent.name) head.append(el('strong', 'name', parent.name));
    block.append(head, wrapped('div', 'desc', el('span', 'line', parent.line)));
    parents.append(block);
  }
  const parts = [parents];
  const warnings = el('ul', 'warnings');
  for (const w of answer.warning_chances) {
    const certain = answer.warnings.includes(w.warning);
    warnings.append(el('li', 'warn', certain ? w.warning : `${w.warning} (${fractionText(w.chance)})`));
  }
  if (warnings.children.length) parts.push(warnings);
  if (answer.assumption) parts.push(el('p', 'assumption note', answer.assumption));
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
    onOrder();
  });
  field.append(label, select);
  bar.append(field);
  parts.push(bar);
  return parts;
}

// Opens a group of such a litter to its carriers and members, which its
// answer holds, or closes it.
function openMixedGroup(row, group) {
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
  more.id = `${row.closest('.out').id}-g${row.dataset.i}`;
  button.setAttribute('aria-controls', more.id);
  if (group.carriers.length) {
    const list = el('ul', 'carriers');
    for (const c of group.carriers) {
      list.append(wrapped('li', 'carrier', el('span', 'k-frac num', fractionText(c.chance)),
                          el('span', 'k-pct num', c.figures.percent), el('span', 'k-text', c.line)));
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
  const next = el('button', 'm-next secondary', say('more', MEMBERS_PAGE));
  next.type = 'button';
  const page = () => {
    const first = members.children.length;
    for (const m of group.members.slice(first, first + MEMBERS_PAGE)) {
      members.append(wrapped('li', 'member', el('span', 'm-frac', fractionText(m.chance)), genotypeLink(m.genotype, 'm-gen')));
    }
    status.textContent = say('shownOf', members.children.length, group.members.length);
    next.hidden = members.children.length >= group.members.length;
  };
  next.addEventListener('click', page);
  more.append(members, wrapped('div', 'm-foot', status, next));
  row.append(more);
  page();
}

// The groups that more unseen alleles could give, after the others.
function possibleList(answer) {
  if (!answer.possible.length) return [];
  const list = el('ul', 'possible');
  for (const p of answer.possible) {
    const item = el('li', 'possible-group');
    item.append(el('span', 'line', p.line), el('span', 'if', say('ifWord') + p.if.join(say('or'))));
    list.append(item);
  }
  const parts = [el('h3', 'possible-head', say('possibleHead')), list];
  if (answer.possible_more) parts.push(el('p', 'note', say('possibleMore', answer.possible_more)));
  return parts;
}

// Shows such a litter in box: the head, the groups (the first screen at
// once, the rest in the tasks after) and the possible groups.
function showMixedLitter(box, answer, asked, idPrefix, onOrder) {
  box.replaceChildren(...mixedHead(answer, idPrefix, onOrder));
  if (state.refocus && $(state.refocus)) $(state.refocus).focus();
  state.refocus = null;
  const table = groupTable(answer, asked, openMixedGroup);
  box.append(table.element, ...possibleList(answer));
  table.more(40);
  const step = () => {
    if (table.more()) return nextTask(step);
    setState(box, 'done');
  };
  afterPaint(step);
}

// The stock of the file chosen, as its bytes.
function openStockFile() {
  const file = $('stock-file').files[0];
  if (!file) return;
  const reader = new FileReader();
  reader.onload = () => {
    const bytes = new Uint8Array(reader.result);
    $('stock-text').value = new TextDecoder().decode(bytes);
    showStock(bytes);
  };
  reader.readAsArrayBuffer(file);
}

function startStockView() {
  $('stock-file').addEventListener('change', openStockFile);
  $('stock-form').addEventListener('submit', (event) => {
    event.preventDefault();
    if (state.core) showStock(new TextEncoder().encode($('stock-text').value));
  });
  $('stock-litter-form').addEventListener('submit', (event) => {
    event.preventDefault();
    if (stockState.bytes) showStockLitter();
  });
  $('stock-prove-form').addEventListener('submit', (event) => {
    event.preventDefault();
    if (stockState.bytes) showMatings();
  });
  $('stock-remember').addEventListener('change', () => {
    if ($('stock-remember').checked) rememberStock();
    else forgetStock();
  });
  $('stock-forget').addEventListener('click', forgetStock);
  const kept = rememberedStock();
  if (kept !== null) {
    $('stock-text').value = kept;
    $('stock-remember').checked = true;
  }
  // The place of an animal's test-mating table: an animal picked from the
  // stock, and the matings that would tell what it carries (to come).
}
