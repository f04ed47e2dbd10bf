// The address: what the page shows, as its fragment, so that a link shares
// an answer (#lang=ru&litter=ToY,Toto&pups=8). The keys are lang and one of
// color, litter (with pups and find), task (with easy), colors and
// genotypes, and stock (the view alone: a stock's records stay out of the
// address). Each question asked is an entry of the history of its own, so
// that Back and Forward show the answers before and after it.

function linkTo(entries) {
  const params = new URLSearchParams([['lang', state.lang], ...entries]);
  return '#' + params.toString().replace(/%2C/gi, ',');
}

// Writes what the view shows as the address: as a new entry of the history
// for a question asked (push), in the place of the current entry for
// anything else (a language, a view, an address read).
function writeAddress(push = false) {
  const hash = linkTo(state.inputs[state.view]);
  if (location.hash === hash) return;
  if (push) history.pushState(null, '', hash);
  else history.replaceState(null, '', hash);
}

// An output that shows nothing, as the address it is shown for asks for
// nothing there.
function clearOutput(name) {
  $(name + '-out').replaceChildren();
  delete state.shown[name];
}

// Shows what an address asks for.
function readAddress() {
  const params = new URLSearchParams(location.hash.slice(1));
  const wanted = params.get('lang');
  if (wanted === 'en' || wanted === 'ru') setLanguage(wanted, false);
  if (params.has('color')) {
    $('color-genotype').value = params.get('color');
    state.inputs.color = [['color', params.get('color')]];
    showView('color', false);
    if (params.get('color')) showColour();
    else clearOutput('color');
  } else if (params.has('litter')) {
    const pair = params.get('litter');
    const comma = pair.indexOf(',');
    $('litter-male').value = comma < 0 ? pair : pair.slice(0, comma);
    $('litter-female').value = comma < 0 ? '' : pair.slice(comma + 1);
    if (params.has('pups')) $('litter-pups').value = params.get('pups');
    $('litter-find').value = params.get('find') || '';
    state.inputs.litter = [['litter', pair]];
    showView('litter', false);
    if (pair) showLitter();
    else clearOutput('litter');
  } else if (params.has('task')) {
    $('task-number').value = params.get('task');
    $('task-easy').checked = params.has('easy') && params.get('easy') !== '0';
    state.inputs.task = [['task', params.get('task')]];
    showView('task', false);
    if (params.get('task')) showTask();
    else clearOutput('task');
  } else if (params.has('genotypes')) {
    $('genotypes-line').value = params.get('genotypes');
    showGenotypes();
    showView('colors', false);
  } else if (params.has('colors')) {
    $('colors-words').value = params.get('colors');
    state.inputs.colors = [['colors', params.get('colors')]];
    $('genotypes-out').replaceChildren();
    delete state.shown.genotypes;
    delete state.shown.colors;
    showView('colors', false);
  } else if (params.has('stock')) {
    showView('stock', false);
  } else {
    showView(state.view, false);
  }
  writeAddress();
}
