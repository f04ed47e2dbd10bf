// How to write a genotype: the table of genes, as the core has it in the
// language shown.

function showNotation() {
  const answer = ask('genes', state.lang);
  if (answer.error) return $('genes').tBodies[0].replaceChildren(errorLine(answer.error));
  const rows = answer.genes.map((g) => {
    const tr = el('tr');
    tr.append(el('td', 'mono', g.gene), el('td', '', g.name),
              el('td', 'mono', g.two), el('td', 'mono', g.one), el('td', 'mono', g.normal));
    return tr;
  });
  $('genes').tBodies[0].replaceChildren(...rows);
}
