// The view Colours: the way back from a colour line to its genotypes, and
// the table of every colour with a simplest genotype that gives it.

function showColours() {
  const words = $('colors-words').value.trim();
  const box = $('colors-out');
  state.shown.colors = { lang: state.lang, again: showColours };
  const answer = ask('colors', state.lang, words);
  if (answer.error) return showError(box, answer.error);
  const table = el('table', 'colors');
  const head = table.createTHead().insertRow();
  const inEnglish = state.lang === 'en';
  const columns = inEnglish ? ['colName', 'colGenotype', 'colGenes'] : ['colName', 'colEnglish', 'colGenotype', 'colGenes'];
  for (const key of columns) head.append(el('th', '', say(key)));
  const body = table.createTBody();
  for (const c of answer.colors) {
    const row = body.insertRow();
    row.className = 'colour ' + c.kind;
    const name = el('td', 'k-name');
    if (c.line !== null) {
      // A colour leads to the genotypes of its line.
      const a = el('a', '', c.name);
      a.href = linkTo([['genotypes', c.line]]);
      name.append(a);
    } else {
      name.textContent = c.name;
    }
    row.append(name);
    if (!inEnglish) row.append(el('td', 'k-en', c.english));
    const genotypes = el('td', 'k-gen mono');
    c.genotypes.forEach((g, k) => {
      if (k) genotypes.append(', ');
      genotypes.append(genotypeLink(g, ''));
    });
    row.append(genotypes, el('td', 'k-genes', c.genes_line));
  }
  const wrap = el('div', 'scroll');
  wrap.append(table);
  const withWords = answer.colors.some((c) => c.kind === 'word');
  box.replaceChildren(...(withWords ? [el('p', 'note', say('wordNote')), wrap] : [wrap]));
  setState(box, 'done');
}

function showGenotypes(push = false) {
  const line = $('genotypes-line').value.trim();
  const box = $('genotypes-out');
  state.inputs.colors = [['genotypes', line]];
  state.shown.genotypes = { lang: state.lang, again: showGenotypes };
  writeAddress(push);
  const answer = ask('genotypes', state.lang, line);
  if (answer.error) return showError(box, answer.error);
  const card = el('div', 'card');
  card.append(el('h2', 'line', answer.line));
  const list = el('ul', 'genos');
  for (const g of answer.genotypes) {
    // The sex the genotype may be a parent of, as the core reads it.
    const animal = ask('color', state.lang, g).animals[0];
    list.append(wrapped('li', '', genotypeLink(g, 'genotype mono'), ' ', parentButtons(g, animal.sex, 'span')));
  }
  card.append(list);
  if (answer.may_hide_line) card.append(el('p', 'may-hide', answer.may_hide_line));
  if (answer.may_double_line) card.append(el('p', 'may-double', answer.may_double_line));
  if (answer.may_carry_line) card.append(el('p', 'may-carry', answer.may_carry_line));
  box.replaceChildren(card);
  setState(box, 'done');
}

function filterColours(push = false) {
  state.inputs.colors = [['colors', $('colors-words').value.trim()]];
  writeAddress(push);
  showColours();
}
