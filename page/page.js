'use strict';
// Quorvale in a web page: the page's texts, the address, and the answers of
// the calculator (the WebAssembly module in #module), always shown as text.
(() => {

const TEXTS = {
  en: {
    tagline: 'Coat colours of the Syrian hamster',
    language: 'Language',
    views: 'Views',
    tabColor: 'Colour', tabLitter: 'Litter', tabTask: 'Exercise', tabColors: 'Colours',
    loading: 'Loading…',
    failed: 'This browser could not start the calculator: ',
    working: 'Working…',
    colorIntro: 'The colour of a genotype, and the genes it hides or carries.',
    genotype: 'Genotype', showColour: 'Show the colour', readAs: 'Read as ',
    litterIntro: 'The colours of the young of a pairing, with their exact shares.',
    male: 'Male', female: 'Female', pups: 'Young in a litter', showLitter: 'Show the litter',
    pupsBad: 'The number of young is a whole number from 1 to 99.',
    groups: 'Colour groups: ', order: 'Order', orderText: 'as in the report', orderShare: 'by share, largest first',
    colColour: 'Colour', colShare: 'Share', colPercent: 'Per cent', colBorn: 'Of the born',
    colOne: (n) => `At least one in ${n}`, colExp: (n) => `Expected in ${n}`,
    lethalShare: ' of the young are lethal (', litterSmaller: '): the litter is that much smaller',
    carries: 'carries genes of ', hidden: 'hidden ',
    members: 'Genotypes', more: (n) => `Show ${n} more`, shownOf: (k, n) => `${k} of ${n} shown`,
    linesOf: 'Simplest genotypes of this colour',
    taskIntro: 'A pairing to work out by hand: the same exercise as the program gives for the number.',
    taskNumber: 'Task number', easy: 'Easy (two genes)', showTask: 'Show the exercise', random: 'Random number',
    taskTitle: (n, easy) => `Exercise ${n}` + (easy ? ', easy' : ''),
    question: 'Which colours will the young have, and in what shares?',
    showAnswer: 'Show the answer',
    colorsIntro: 'A colour as the answers write it gives back its genotypes; below, every colour with a simplest genotype that gives it.',
    line: 'Colour', linePlaceholder: 'SH Black Banded', findGenotypes: 'Find the genotypes',
    words: 'Words of a colour name', wordsPlaceholder: 'Sable', filter: 'Show the colours',
    colName: 'Colour', colEnglish: 'In English', colGenotype: 'Genotype', colGenes: 'Genes',
    wordNote: 'Names in italics are words that join other colours’ names; the others lead to their genotypes.',
    genesOf: 'genes of ', noGenes: 'no mutant genes', mayHide: 'may also have hidden ',
    mayCarry: 'may also carry genes of ', and: ' and ', point: '.',
    notation: 'How to write a genotype',
    notationText: 'One word: each gene as its two alleles, in any order; genes not written are normal, and -- is the all-wild hamster. Recessive genes show in two copies, dominant ones already in one. Yellow is on the X chromosome: a male has one allele, written with Y. For a litter, the male comes first.',
    gene: 'Gene', geneName: 'Name', two: 'Two copies', one: 'One copy', normal: 'Normal',
    footer: 'Works offline: everything is worked out in this page, and nothing is sent anywhere.',
  },
  ru: {
    tagline: 'Окрасы сирийского хомяка',
    language: 'Язык',
    views: 'Разделы',
    tabColor: 'Окрас', tabLitter: 'Помет', tabTask: 'Задача', tabColors: 'Окрасы',
    loading: 'Загрузка…',
    failed: 'Этот браузер не смог запустить калькулятор: ',
    working: 'Считаю…',
    colorIntro: 'Окрас по генотипу и гены, которые животное скрывает или носит.',
    genotype: 'Генотип', showColour: 'Показать окрас', readAs: 'Прочитан как ',
    litterIntro: 'Окрасы потомства пары с их точными долями.',
    male: 'Самец', female: 'Самка', pups: 'Детенышей в помете', showLitter: 'Показать помет',
    pupsBad: 'Число детенышей — целое число от 1 до 99.',
    groups: 'Окрасов в потомстве: ', order: 'Порядок', orderText: 'как в отчете', orderShare: 'по доле, от большей',
    colColour: 'Окрас', colShare: 'Доля', colPercent: 'Процент', colBorn: 'От родившихся',
    colOne: (n) => `Хотя бы один из ${n}`, colExp: (n) => `В среднем из ${n}`,
    lethalShare: ' потомства нежизнеспособно (', litterSmaller: '): помет настолько меньше',
    carries: 'носит гены ', hidden: 'перекрыто проявление ',
    members: 'Генотипы', more: (n) => `Показать еще ${n}`, shownOf: (k, n) => `Показано ${k} из ${n}`,
    linesOf: 'Простейшие генотипы этого окраса',
    taskIntro: 'Пара для решения вручную: та же задача, что программа дает по этому номеру.',
    taskNumber: 'Номер задачи', easy: 'Легкая (два гена)', showTask: 'Показать задачу', random: 'Случайный номер',
    taskTitle: (n, easy) => `Задача ${n}` + (easy ? ', легкая' : ''),
    question: 'Какими окрасами и в каких долях будет потомство?',
    showAnswer: 'Показать ответ',
    colorsIntro: 'По окрасу, записанному как в ответах, найдутся его генотипы; ниже — все окрасы с простейшим генотипом, который их дает.',
    line: 'Окрас', linePlaceholder: 'черный с поясом КШ', findGenotypes: 'Найти генотипы',
    words: 'Слова из названия окраса', wordsPlaceholder: 'соболь', filter: 'Показать окрасы',
    colName: 'Окрас', colEnglish: 'По-английски', colGenotype: 'Генотип', colGenes: 'Гены',
    wordNote: 'Курсивом — слова, которые входят в названия других окрасов; остальные названия ведут к своим генотипам.',
    genesOf: 'гены ', noGenes: 'без мутантных генов', mayHide: 'может быть также перекрыто проявление ',
    mayCarry: 'может также носить гены ', and: ' и ', point: ',',
    notation: 'Как записать генотип',
    notationText: 'Одно слово: каждый ген — двумя аллелями, в любом порядке; ген, который не записан, — нормальный, а -- — хомяк без мутантных генов. Рецессивный ген проявляется в двух копиях, доминантный — уже в одной. Желтый ген лежит в X-хромосоме: у самца один его аллель, записываемый с Y. Для помета сначала пишется самец.',
    gene: 'Ген', geneName: 'Название', two: 'Две копии', one: 'Одна копия', normal: 'Норма',
    footer: 'Работает без сети: все считается в самой странице, и ничего никуда не отправляется.',
  },
};

// The genes: symbol, English and Russian names, two copies, one, normal.
const GENES = [
  ['e', 'Cream', 'кремовый', 'ee', 'Ee', 'EE'],
  ['dg', 'Dark Grey', 'темно-серый', 'dgdg', 'Dgdg', 'DgDg'],
  ['p', 'Cinnamon', 'коричный', 'pp', 'Pp', 'PP'],
  ['a', 'Black', 'черный', 'aa', 'Aa', 'AA'],
  ['cd', 'DE White', 'белый ТУ', 'cdcd', 'Cdcd', 'CdCd'],
  ['rd', 'Recessive Dappled', 'пестрый', 'rdrd', 'Rdrd', 'RdRd'],
  ['l', 'Long Hair', 'длинношерстный', 'll', 'Ll', 'LL'],
  ['U', 'Umbrous', 'копченый', 'UU', 'Uu', 'uu'],
  ['Ba', 'Banded', 'белый пояс', 'BaBa', 'Baba', 'baba'],
  ['Sa', 'Satin', 'атласный', 'SaSa', 'Sasa', 'sasa'],
  ['Sg', 'Silver Grey', 'серебристый', 'SgSg', 'Sgsg', 'sgsg'],
  ['Lg', 'Light Grey', 'светло-серый', 'LgLg', 'Lglg', 'lglg'],
  ['Ds', 'Dominant Spot', 'пятнистый', 'DsDs', 'Dsds', 'dsds'],
  ['To', 'Yellow, female', 'желтый, самка', 'ToTo', 'Toto', 'toto'],
  ['To', 'Yellow, male', 'желтый, самец', '', 'ToY', 'toY'],
];

const VIEWS = ['color', 'litter', 'task', 'colors'];
const MEMBERS_PAGE = 100;

let lang = 'en';
let view = 'color';
let sort = 'text';  // the order of a litter's groups: "text" or "share"
let pups = 8;

// Measured times in ms from navigation start or from a request, for the
// curious and for the page's test.
const times = { ready: null, litterFirstScreen: null, litterAll: null };
window.quorvaleTimes = times;

const $ = (id) => document.getElementById(id);
const say = (key, ...args) => {
  const text = TEXTS[lang][key];
  return typeof text === 'function' ? text(...args) : text;
};

function el(tag, className, text) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  if (text !== undefined && text !== null) e.textContent = text;
  return e;
}
function wrapped(tag, className, ...children) {
  const e = el(tag, className);
  e.append(...children);
  return e;
}

// ---------------------------------------------------------------- the module

let core = null;
const encoder = new TextEncoder();
const decoder = new TextDecoder();

const ready = (async () => {
  const text = $('module').textContent.trim();
  const binary = atob(text);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; i++) bytes[i] = binary.charCodeAt(i);
  const { instance } = await WebAssembly.instantiate(bytes, {});
  instance.exports._initialize();
  core = instance.exports;
  times.ready = performance.now();
  document.documentElement.dataset.ready = String(Math.round(times.ready));
})();

// The core's answer to a request of fields, one a line: JSON text.
function ask(...fields) {
  const request = encoder.encode(fields.map((f) => String(f).replace(/[\r\n]/g, ' ')).join('\n'));
  const room = core.qv_request_room(request.length) >>> 0;
  new Uint8Array(core.memory.buffer, room, request.length).set(request);
  const size = core.qv_answer(request.length) >>> 0;
  const at = core.qv_answer_bytes() >>> 0;
  return decoder.decode(new Uint8Array(core.memory.buffer, at, size));
}
const askJson = (...fields) => JSON.parse(ask(...fields));

// The core keeps the last litter it was asked for, for its members.
let keptLitter = '';
function askLitter(request) {
  keptLitter = request.join('\n');
  return ask(...request);
}
function keepLitter(request) {
  if (keptLitter !== request.join('\n')) askLitter(request);
}

// Runs fn as a task of its own, without the timers' clamping.
const taskQueue = [];
const taskChannel = new MessageChannel();
taskChannel.port1.onmessage = () => taskQueue.shift()();
function nextTask(fn) {
  taskQueue.push(fn);
  taskChannel.port2.postMessage(0);
}
// Runs fn after the page has painted what is there now.
const afterPaint = (fn) => requestAnimationFrame(() => nextTask(fn));

// ------------------------------------------------------------------ numbers

// Decimals of exact fractions, rounded half up, as the program writes them.
function scaled(n, d, digits) {
  const scale = 2n * 10n ** BigInt(digits);
  return (n * scale + d) / (2n * d);
}
function digitsText(value, digits) {
  const s = value.toString().padStart(digits + 1, '0');
  return digits ? s.slice(0, -digits) + say('point') + s.slice(-digits) : s;
}
const decimal = (n, d, digits) => digitsText(scaled(n, d, digits), digits);
function percent(n, d) {
  const tenths = scaled(n, d, 3);
  if (tenths === 0n) return '< ' + digitsText(1n, 1) + ' %';
  if (tenths === 1000n && n < d) return '> ' + digitsText(999n, 1) + ' %';
  return digitsText(tenths, 1) + ' %';
}
const fraction = (f) => `${f.numerator}/${f.denominator}`;

// A group's figures: its share, in per cent, among the born, and in a
// litter of `young` born.
function groupFigures(group, young) {
  const shown = { frac: fraction(group), pct: percent(BigInt(group.numerator), BigInt(group.denominator)) };
  if (group.lethal) return shown;
  const live = group.live || group;
  const a = BigInt(live.numerator);
  const b = BigInt(live.denominator);
  const n = BigInt(young);
  if (group.live) shown.born = percent(a, b);
  const all = b ** n;
  shown.one = percent(all - (b - a) ** n, all);
  shown.exp = decimal(a * n, b, 1);
  return shown;
}

function joinNames(genes) {
  const names = genes.map((g) => g.name);
  if (names.length < 2) return names.join('');
  return names.slice(0, -1).join(', ') + say('and') + names[names.length - 1];
}

// ------------------------------------------------------------- the address

// Each view's inputs as the address keeps them.
const inputs = {
  color: [['color', '']],
  litter: [['litter', '']],
  task: [['task', '']],
  colors: [['colors', '']],
};

function linkTo(entries) {
  const params = new URLSearchParams([['lang', lang], ...entries]);
  return '#' + params.toString().replace(/%2C/gi, ',');
}

function writeAddress() {
  const hash = linkTo(inputs[view]);
  if (location.hash !== hash) history.replaceState(null, '', hash);
}

// Shows what an address asks for.
function readAddress() {
  const params = new URLSearchParams(location.hash.slice(1));
  const wanted = params.get('lang');
  if (wanted === 'en' || wanted === 'ru') setLanguage(wanted, false);
  if (params.has('color')) {
    $('color-genotype').value = params.get('color');
    inputs.color = [['color', params.get('color')]];
    showView('color', false);
    if (params.get('color')) showColour();
  } else if (params.has('litter')) {
    const pair = params.get('litter');
    const comma = pair.indexOf(',');
    $('litter-male').value = comma < 0 ? pair : pair.slice(0, comma);
    $('litter-female').value = comma < 0 ? '' : pair.slice(comma + 1);
    if (params.has('pups')) $('litter-pups').value = params.get('pups');
    inputs.litter = [['litter', pair]];
    showView('litter', false);
    if (pair) showLitter();
  } else if (params.has('task')) {
    $('task-number').value = params.get('task');
    $('task-easy').checked = params.has('easy') && params.get('easy') !== '0';
    inputs.task = [['task', params.get('task')]];
    showView('task', false);
    if (params.get('task')) showTask();
  } else if (params.has('genotypes')) {
    $('genotypes-line').value = params.get('genotypes');
    showGenotypes();
    showView('colors', false);
  } else if (params.has('colors')) {
    $('colors-words').value = params.get('colors');
    inputs.colors = [['colors', params.get('colors')]];
    $('genotypes-out').replaceChildren();
    delete shown.genotypes;
    delete shown.colors;
    showView('colors', false);
  } else {
    showView(view, false);
  }
  writeAddress();
}

// --------------------------------------------------------- views, language

// What each output shows: its language, and how to show it again.
const shown = {};

function setLanguage(wanted, redo = true) {
  lang = wanted;
  document.documentElement.lang = lang;
  for (const e of document.querySelectorAll('[data-t]')) e.textContent = say(e.dataset.t);
  for (const e of document.querySelectorAll('[data-t-placeholder]')) e.placeholder = say(e.dataset.tPlaceholder);
  for (const e of document.querySelectorAll('[data-t-aria]')) e.setAttribute('aria-label', say(e.dataset.tAria));
  for (const b of document.querySelectorAll('.langs button')) b.setAttribute('aria-pressed', String(b.dataset.lang === lang));
  const rows = GENES.map(([symbol, en, ru, two, one, normal]) => {
    const tr = el('tr');
    tr.append(el('td', 'mono', symbol), el('td', '', lang === 'ru' ? ru : en),
              el('td', 'mono', two), el('td', 'mono', one), el('td', 'mono', normal));
    return tr;
  });
  $('genes').tBodies[0].replaceChildren(...rows);
  if (!$('litter-pups-error').hidden) $('litter-pups-error').textContent = say('pupsBad');
  if (redo) {
    refreshView();
    writeAddress();
  }
}

// Asks again what the current view shows when it was in another language.
function refreshView() {
  if (!core) return;
  const outputs = view === 'colors' ? ['genotypes', 'colors'] : [view];
  for (const name of outputs) {
    const s = shown[name];
    if (s && s.lang !== lang) s.again();
  }
}

function showView(name, write = true) {
  view = name;
  for (const v of VIEWS) {
    $('view-' + v).hidden = v !== name || !core;
    const tab = $('tab-' + v);
    if (v === name) tab.setAttribute('aria-current', 'page');
    else tab.removeAttribute('aria-current');
  }
  if (name === 'colors' && core && !shown.colors) showColours();
  refreshView();
  if (write) writeAddress();
}

// Marks an output as being worked on, or done; the test waits on data-state.
function setState(box, stateName) {
  box.dataset.state = stateName;
  if (stateName === 'done' || stateName === 'error') box.dataset.seq = String(Number(box.dataset.seq || 0) + 1);
}

function showError(box, text) {
  const p = el('p', 'error', text);
  p.setAttribute('role', 'alert');
  box.replaceChildren(p);
  setState(box, 'error');
}

// The lines of a description: the first, then its warnings.
function descriptionLines(text) {
  return text.split('\n').map((line) => line.replace(/^\t+/, ''));
}
const warningText = (line) => line.replace(/^!!!\s*/, '').replace(/\s*!!!$/, '');

// A description as a block of lines, its warnings marked.
function descriptionBlock(text, tag = 'div') {
  const block = el(tag, 'desc');
  descriptionLines(text).forEach((line, i) => {
    if (i === 0) block.append(el('span', 'line', line));
    else block.append(el('span', 'line warn', warningText(line)));
  });
  return block;
}

// A link to the genotypes of a colour line (the core knows every line it
// writes).
function linesLink(line) {
  const a = el('a', 'lines-of', say('linesOf'));
  a.href = linkTo([['genotypes', line]]);
  return a;
}

// ------------------------------------------------------------------- colour

function showColour() {
  const genotype = $('color-genotype').value.trim();
  const box = $('color-out');
  inputs.color = [['color', genotype]];
  shown.color = { lang, again: showColour };
  writeAddress();
  const reply = askJson('color', lang, genotype);
  if (reply.error) return showError(box, reply.error);
  const answer = reply.animals[0];
  const card = el('div', 'card animal');
  card.append(descriptionBlock(answer.description, 'h2'));
  if (answer.carrier_line) card.append(el('p', 'carrier', answer.carrier_line));
  const read = el('p', 'read-as', say('readAs'));
  read.append(el('code', 'genotype', answer.genotype));
  card.append(read);
  card.append(wrapped('p', 'more-link', linesLink(descriptionLines(answer.description)[0])));
  box.replaceChildren(card);
  setState(box, 'done');
}

// ------------------------------------------------------------------- litter

let jobs = 0;
let refocus = null;  // the field to give the focus back to once a litter is shown again

// Shows the litter of a pairing in box: the parents, the warnings and the
// groups, the first screen of them at once and the rest in the tasks after.
function renderLitter(box, male, female, idPrefix) {
  const job = ++jobs;
  const t0 = performance.now();
  box.dataset.job = String(job);
  delete box.dataset.firstScreenMs;
  setState(box, 'working');
  const busy = el('p', 'note', say('working'));
  busy.setAttribute('role', 'status');
  box.replaceChildren(busy);
  const request = ['litter', lang, male, female, pups, sort];
  const young = pups;
  const current = () => box.dataset.job === String(job);
  afterPaint(() => {
    if (!current()) return;
    const asked = performance.now();
    const text = askLitter(request);
    performance.measure('quorvale: the core answers a litter', { start: asked });
    nextTask(() => {
      if (!current()) return;
      const parsed = performance.now();
      const answer = JSON.parse(text);
      if (answer.error) return showError(box, answer.error);
      box.replaceChildren(...litterHead(answer, idPrefix));
      if (refocus && $(refocus)) $(refocus).focus();
      refocus = null;
      const table = groupTable(answer, young, request);
      box.append(table.element);
      table.more(40);
      performance.measure('quorvale: the answer read and its first rows made', { start: parsed });
      afterPaint(() => {
        if (!current()) return;
        const first = performance.now() - t0;
        box.dataset.firstScreenMs = first.toFixed(1);
        times.litterFirstScreen = first;
        const step = () => {
          if (!current()) return;
          if (table.more()) return nextTask(step);
          times.litterAll = performance.now() - t0;
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
  block.append(head, descriptionBlock(animal.description));
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
  if (answer.lethal) {
    const l = answer.lethal;
    parts.push(el('p', 'lethal-line warn', fraction(l) + say('lethalShare') +
                  percent(BigInt(l.numerator), BigInt(l.denominator)) + say('litterSmaller')));
  }
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
  select.value = sort;
  select.addEventListener('change', () => {
    sort = select.value;
    refocus = select.id;
    redoLitters();
  });
  field.append(label, select);
  bar.append(field);
  parts.push(bar);
  return parts;
}

const CELLS = [['frac', 'colShare'], ['pct', 'colPercent'], ['born', 'colBorn'], ['one', 'colOne'], ['exp', 'colExp']];

// The table of a litter's groups, filled a slice at a time by more(): true
// while rows remain.
function groupTable(answer, young, request) {
  const groups = answer.groups;
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
    open.append(descriptionBlock(g.description, 'span'));
    desc.append(open);
    row.append(desc);
    const figures = groupFigures(g, young);
    for (const [cls] of CELLS) {
      const cell = el('div', 'c-' + cls + ' num', figures[cls] || '');
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
    if (button.classList.contains('g-open')) toggleGroup(row, groups[i], i, request);
    else moreMembers(row, i, request);
  });
  const more = (count) => {
    const end = performance.now() + 12;
    const last = count ? Math.min(groups.length, next + count) : groups.length;
    while (next < last && (count || performance.now() < end)) addRow(next++);
    return next < groups.length;
  };
  return { element: table, more };
}

// Opens a group to its carriers and members, or closes it.
function toggleGroup(row, group, i, request) {
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
  if (!group.carriers) {
    keepLitter(request);
    group.carriers = askJson('carriers', i).carriers || [];
  }
  if (group.carriers.length) {
    const list = el('ul', 'carriers');
    for (const c of group.carriers) {
      const item = el('li', 'carrier');
      item.append(el('span', 'k-frac num', fraction(c)),
                  el('span', 'k-pct num', percent(BigInt(c.numerator), BigInt(c.denominator))),
                  el('span', 'k-text', say(c.kind === 'hidden' ? 'hidden' : 'carries') + c.name));
      list.append(item);
    }
    more.append(list);
  }
  more.append(wrapped('p', 'more-link', linesLink(descriptionLines(group.description)[0])));
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
  moreMembers(row, i, request);
}

// The next page of a group's members.
function moreMembers(row, i, request) {
  const list = row.querySelector('.members');
  const first = list.children.length;
  keepLitter(request);
  const answer = askJson('members', i, first, MEMBERS_PAGE);
  if (answer.error) return;
  for (const m of answer.members) {
    const item = el('li', 'member');
    const link = el('a', 'm-gen', m.genotype);
    link.href = linkTo([['color', m.genotype]]);
    item.append(el('span', 'm-frac', fraction(m)), link);
    list.append(item);
  }
  const count = list.children.length;
  row.querySelector('.m-status').textContent = say('shownOf', count, answer.total);
  row.querySelector('.m-more').hidden = count >= answer.total;
  const box = row.closest('.out');
  box.dataset.membersSeq = String(Number(box.dataset.membersSeq || 0) + 1);
}

function showLitter() {
  const male = $('litter-male').value.trim();
  const female = $('litter-female').value.trim();
  const field = $('litter-pups');
  const error = $('litter-pups-error');
  const young = Number(field.value);
  const good = /^\s*\d+\s*$/.test(field.value) && young >= 1 && young <= 99;
  field.setAttribute('aria-invalid', String(!good));
  error.hidden = good;
  error.textContent = good ? '' : say('pupsBad');
  if (!good) return;
  pups = young;
  inputs.litter = [['litter', male + ',' + female], ['pups', String(pups)]];
  shown.litter = { lang, again: () => renderLitter($('litter-out'), male, female, 'litter') };
  writeAddress();
  shown.litter.again();
}

// Shows the litters again, in the new order or for a new number of young.
function redoLitters() {
  for (const name of ['litter', 'task']) {
    const s = shown[name];
    if (!s) continue;
    if (name === view) s.again();
    else s.lang = null;
  }
}

// ----------------------------------------------------------------- exercise

function showTask(number) {
  if (number !== undefined) $('task-number').value = String(number);
  const text = $('task-number').value.trim();
  const easy = $('task-easy').checked;
  const box = $('task-out');
  inputs.task = easy ? [['task', text], ['easy', '1']] : [['task', text]];
  writeAddress();
  const again = (withAnswer) => {
    const reply = askJson('task', lang, text, easy ? 1 : 0);
    shown.task = { lang, again: () => again(Boolean(shown.task.answer)) };
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
      shown.task.answer = true;
      button.hidden = true;
      renderLitter(answer, task.male, task.female, 'task');
    };
    button.addEventListener('click', reveal);
    head.append(button);
    box.replaceChildren(head, answer);
    setState(box, 'done');
    if (withAnswer) reveal();
  };
  again(false);
}

// ------------------------------------------------------------------ colours

function showColours() {
  const words = $('colors-words').value.trim();
  const box = $('colors-out');
  shown.colors = { lang, again: showColours };
  const answer = askJson('colors', lang, words);
  if (answer.error) return showError(box, answer.error);
  const table = el('table', 'colors');
  const head = table.createTHead().insertRow();
  const columns = lang === 'en' ? ['colName', 'colGenotype', 'colGenes'] : ['colName', 'colEnglish', 'colGenotype', 'colGenes'];
  for (const key of columns) head.append(el('th', '', say(key)));
  const body = table.createTBody();
  for (const c of answer.colors) {
    const row = body.insertRow();
    row.className = 'colour ' + c.kind;
    const name = el('td', 'k-name');
    if (c.kind === 'base') {
      // A colour's line has its coat length, but for the colours that are
      // written alone (as the description of their genotype says).
      const alone = askJson('color', lang, c.genotypes[0]).animals[0].description.split('\n')[0] === c.name;
      const line = alone ? c.name : lang === 'en' ? 'SH ' + c.name : c.name + ' КШ';
      const a = el('a', '', c.name);
      a.href = linkTo([['genotypes', line]]);
      name.append(a);
    } else {
      name.textContent = c.name;
    }
    row.append(name);
    if (lang !== 'en') row.append(el('td', 'k-en', c.english));
    const genotypes = el('td', 'k-gen mono');
    c.genotypes.forEach((g, k) => {
      if (k) genotypes.append(', ');
      const a = el('a', '', g);
      a.href = linkTo([['color', g]]);
      genotypes.append(a);
    });
    row.append(genotypes);
    row.append(el('td', 'k-genes', c.genes.length ? say('genesOf') + joinNames(c.genes) : say('noGenes')));
  }
  const wrap = el('div', 'scroll');
  wrap.append(table);
  const withWords = answer.colors.some((c) => c.kind === 'word');
  box.replaceChildren(...(withWords ? [el('p', 'note', say('wordNote')), wrap] : [wrap]));
  setState(box, 'done');
}

function showGenotypes() {
  const line = $('genotypes-line').value.trim();
  const box = $('genotypes-out');
  inputs.colors = [['genotypes', line]];
  shown.genotypes = { lang, again: showGenotypes };
  writeAddress();
  const answer = askJson('genotypes', lang, line);
  if (answer.error) return showError(box, answer.error);
  const card = el('div', 'card');
  card.append(el('h2', 'line', answer.line));
  const list = el('ul', 'genos');
  for (const g of answer.genotypes) {
    const a = el('a', 'genotype mono', g);
    a.href = linkTo([['color', g]]);
    list.append(wrapped('li', '', a));
  }
  card.append(list);
  if (answer.may_hide.length) card.append(el('p', 'may-hide', say('mayHide') + joinNames(answer.may_hide)));
  if (answer.may_carry.length) card.append(el('p', 'may-carry', say('mayCarry') + joinNames(answer.may_carry)));
  box.replaceChildren(card);
  setState(box, 'done');
}

// ------------------------------------------------------------------ wiring

function onSubmit(id, fn) {
  $(id).addEventListener('submit', (event) => {
    event.preventDefault();
    if (core) fn();
  });
}
onSubmit('color-form', showColour);
onSubmit('litter-form', showLitter);
onSubmit('task-form', () => showTask());
onSubmit('genotypes-form', showGenotypes);
onSubmit('colors-form', () => {
  inputs.colors = [['colors', $('colors-words').value.trim()]];
  writeAddress();
  showColours();
});
$('litter-pups').addEventListener('change', () => {
  if (shown.litter && $('litter-pups').value !== String(pups)) showLitter();
});
$('task-random').addEventListener('click', () => {
  if (!core) return;
  const random = new Uint32Array(1);
  crypto.getRandomValues(random);
  showTask(1 + (random[0] % 9999));
});
for (const b of document.querySelectorAll('.langs button')) {
  b.addEventListener('click', () => setLanguage(b.dataset.lang));
}
for (const v of VIEWS) $('tab-' + v).addEventListener('click', () => showView(v));
window.addEventListener('hashchange', () => {
  if (!core) return;
  readAddress();
  if (view === 'colors' && shown.genotypes) $('genotypes-out').scrollIntoView({ block: 'start' });
  else window.scrollTo(0, 0);
});

setLanguage(/^ru\b/i.test(navigator.language || '') ? 'ru' : 'en', false);
ready.then(() => {
  $('loading').remove();
  readAddress();
}, (error) => {
  $('loading').textContent = say('failed') + error;
});

})();
