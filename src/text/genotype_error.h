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

}  // namespace quorvale

#endif  // QUORVALE_TEXT_GENOTYPE_ERROR_H_
