// The view Colour: the colour of a genotype, and what it hides or carries.

function showColour(push = false) {
  const genotype = $('color-genotype').value.trim();
  const box = $('color-out');
  state.inputs.color = [['color', genotype]];
  state.shown.color = { lang: state.lang, again: showColour };
  writeAddress(push);
  const reply = ask('color', state.lang, genotype);
  if (reply.error) {
    showError(box, reply.error);
    // A colour's name: its genotypes are in the view Colours.
    if (reply.colour) box.append(wrapped('p', 'more-link', linesLink(reply.colour)));
    return;
  }
  const animal = reply.animals[0];
  const card = el('div', 'card animal');
  card.append(descriptionBlock(animal, 'h2'));
  if (animal.carrier_line) card.append(el('p', 'carrier', animal.carrier_line));
  const read = el('p', 'read-as', say('readAs'));
  read.append(el('code', 'genotype', animal.genotype));
  card.append(read);
  card.append(parentButtons(animal.genotype, animal.sex));
  card.append(wrapped('p', 'more-link', linesLink(animal.line)));
  box.replaceChildren(card);
  setState(box, 'done');
}
