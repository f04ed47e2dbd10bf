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

// The same text as one line, for a place that has a line of its own for it
// (an error line on standard error): without the line feed that opens it,
// and with the one before the hint turned into a blank.
std::u32string genotypeErrorLine(const GenotypeError& error, Language language);

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
