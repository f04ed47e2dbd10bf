// Small helpers of the page's DOM: elements, the state of an output, and
// the pieces of the core's answers that every view shows alike.

const $ = (id) => document.getElementById(id);

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

// Marks an output as being worked on, done or failed; the test waits on
// data-state and data-seq.
function setState(box, stateName) {
  box.dataset.state = stateName;
  if (stateName === 'done' || stateName === 'error') box.dataset.seq = String(Number(box.dataset.seq || 0) + 1);
}

// An error of the core, as text.
function errorLine(text) {
  const p = el('p', 'error', text);
  p.setAttribute('role', 'alert');
  return p;
}

function showError(box, text) {
  box.replaceChildren(errorLine(text));
  setState(box, 'error');
}

// A chance as its fraction: the core's two parts with the fraction bar.
const fractionText = (chance) => `${chance.numerator}/${chance.denominator}`;

// A description: its colour line, then its warnings, marked.
function descriptionBlock(described, tag = 'div') {
  const block = el(tag, 'desc');
  block.append(el('span', 'line', described.line));
  for (const warning of described.warnings) block.append(el('span', 'line warn', warning));
  return block;
}

// A link to the genotypes of a colour line (the core knows every line it
// writes).
function linesLink(line) {
  const a = el('a', 'lines-of', say('linesOf'));
  a.href = linkTo([['genotypes', line]]);
  return a;
}

// Buttons that send a genotype to the Litter form, as the male or the
// female: only the sex it may be, as the core reads it (sex: "male" for a
// genotype with Y, "female" for one with two Yellow alleles, null for
// either).
function parentButtons(genotype, sex, tag = 'p') {
  const box = el(tag, 'to-litter');
  for (const role of ['male', 'female']) {
    if (sex && sex !== role) continue;
    const button = el('button', 'secondary to-' + role, say(role === 'male' ? 'asMale' : 'asFemale'));
    button.type = 'button';
    button.addEventListener('click', () => sendToLitter(genotype, role));
    box.append(button);
  }
  return box;
}

// A genotype that leads to its colour.
function genotypeLink(genotype, className) {
  const a = el('a', className, genotype);
  a.href = linkTo([['color', genotype]]);
  return a;
}
