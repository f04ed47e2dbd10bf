#ifndef QUORVALE_TEXT_GENOTYPE_ERROR_H_
#define QUORVALE_TEXT_GENOTYPE_ERROR_H_

#include <string>

#include "genetics/parser.h"
#include "text/language.h"

namespace quorvale {

// The line the user is shown for a genotype text that does not parse,
// without its line end: the catalogue message of the fault in the given
// language, the user's characters that show it (control characters made
// visible: C0 controls and DEL in caret notation, C1 controls as U+FFFD),
// and the hint that a gene may have been left out when it follows.
std::u32string genotypeErrorText(const GenotypeError& error, Language language);

// The same fault as one line, for a place that has a line of its own for
// it after the word's role (an error line on standard error, the page's
// error): without the line feed that opens the message and without its
// "Error: ", and the hint after a full stop ("Can't parse the following
// part of genotype: P. Did you skip one of the genes in a pair?").
std::u32string genotypeErrorLine(const GenotypeError& error, Language language);

// Whether a word given for a genotype is empty or only blanks. The parser
// reads such a text as the all-wild hamster, as the dialogue does; the
// command line and the page refuse it before parsing, as a script's unset
// variable or a field left empty would otherwise be answered as a Golden,
// and say so with emptyGenotypeText. The all-wild hamster is "--".
bool isEmptyGenotype(std::u32string_view word);

// "the genotype is empty; the all-wild hamster is written --".
std::u32string_view emptyGenotypeText(Language language);

// Appends characters the user typed in a form safe to show: a control
// character written raw could move the cursor or recolour the terminal (an
// arrow key typed into a word is ESC '[' and a letter), so C0 controls and
// DEL appear in caret notation, the way terminals echo them (NUL "^@", ESC
// "^[", DEL "^?"), and C1 controls, which have no such notation, as U+FFFD,
// the character that already stands for undecodable input. Every other
// character is shown as typed.
void appendShown(std::u32string_view typed, std::u32string& out);

}  // namespace quorvale

#endif  // QUORVALE_TEXT_GENOTYPE_ERROR_H_
