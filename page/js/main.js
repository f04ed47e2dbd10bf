// The page's state, its language and views, and the wiring of its
// controls; then the start.

const VIEWS = ['color', 'litter', 'task', 'colors', 'stock'];

// Everything the page keeps between events.
const state = {
  core: null,          // the module's exports, once it runs
  module: null,        // the compiled module, for a worker of its own
  lang: 'en',
  view: 'color',
  sort: 'text',        // the order of a litter's groups: "text" or "share"
  pups: '8',           // the young of a litter, as the core last took them
  find: '',            // the colour looked for in the litter shown
  inputs: {            // each view's inputs, as the address keeps them
    color: [['color', '']],
    litter: [['litter', '']],
    task: [['task', '']],
    colors: [['colors', '']],
    stock: [['stock', '']],  // a stock's records are never in the address
  },
  shown: {},           // what each output shows: its language, and how to show it again
  jobs: 0,             // litters asked for: a litter shows only if it is the latest in its box
  refocus: null,       // the field to give the focus back to once a litter is shown again
  // Measured times in ms from navigation start or from a request, for the
  // curious, the page's test and its benchmark.
  times: { ready: null, litterFirstScreen: null, litterAll: null },
};
window.quorvaleTimes = state.times;

function setLanguage(wanted, redo = true) {
  state.lang = wanted;
  document.documentElement.lang = wanted;
  for (const e of document.querySelectorAll('[data-t]')) e.textContent = say(e.dataset.t);
  for (const e of document.querySelectorAll('[data-placeholder-en]')) {
    e.placeholder = wanted === 'ru' ? e.dataset.placeholderRu : e.dataset.placeholderEn;
  }
  for (const e of document.querySelectorAll('[data-t-aria]')) e.setAttribute('aria-label', say(e.dataset.tAria));
  for (const b of document.querySelectorAll('.langs button')) b.setAttribute('aria-pressed', String(b.dataset.lang === wanted));
  if (state.core) showNotation();
  if (redo) {
    refreshView();
    writeAddress();
  }
}

// Asks again what the current view shows when it was in another language.
function refreshView() {
  if (!state.core) return;
  const outputs = state.view === 'colors' ? ['genotypes', 'colors'] : [state.view];
  for (const name of outputs) {
    const s = state.shown[name];
    if (s && s.lang !== state.lang) s.again();
  }
}

function showView(name, write = true) {
  state.view = name;
  for (const v of VIEWS) {
    $('view-' + v).hidden = v !== name || !state.core;
    const tab = $('tab-' + v);
    if (v === name) tab.setAttribute('aria-current', 'page');
    else tab.removeAttribute('aria-current');
  }
  if (name === 'colors' && state.core && !state.shown.colors) showColours();
  if (name === 'stock' && state.core && !state.shown.stock && $('stock-text').value) {
    showStock(new TextEncoder().encode($('stock-text').value));
  }
  refreshView();
  // Another view is another screen: Back comes back to this one.
  if (write) writeAddress(true);
}

// A question asked: its answer, as a new entry of the history.
function onSubmit(id, fn) {
  $(id).addEventListener('submit', (event) => {
    event.preventDefault();
    if (state.core) fn(true);
  });
}
onSubmit('color-form', showColour);
onSubmit('litter-form', showLitter);
onSubmit('task-form', (push) => showTask(undefined, push));
onSubmit('genotypes-form', showGenotypes);
onSubmit('colors-form', filterColours);
$('litter-pups').addEventListener('change', () => {
  if (state.shown.litter && $('litter-pups').value.trim() !== state.pups) showLitter(true);
});
$('litter-find').addEventListener('change', () => {
  if (state.shown.litter && $('litter-find').value.trim() !== state.find) showLitter(true);
});
$('task-random').addEventListener('click', () => {
  if (state.core) showRandomTask();
});
for (const b of document.querySelectorAll('.langs button')) {
  b.addEventListener('click', () => setLanguage(b.dataset.lang));
}
for (const v of VIEWS) $('tab-' + v).addEventListener('click', () => showView(v));
window.addEventListener('hashchange', () => {
  if (!state.core) return;
  readAddress();
  if (state.view === 'colors' && state.shown.genotypes) $('genotypes-out').scrollIntoView({ block: 'start' });
  else window.scrollTo(0, 0);
});

startStockView();
setLanguage(/^ru\b/i.test(navigator.language || '') ? 'ru' : 'en', false);
startCore().then(() => {
  $('loading').remove();
  showNotation();
  readAddress();
}, (error) => {
  $('loading').textContent = say('failed') + error;
});
