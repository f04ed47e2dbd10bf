#ifndef QUORVALE_LITTER_REPORT_H_
#define QUORVALE_LITTER_REPORT_H_

#include <string>
#include <string_view>

#include "genetics/genotype.h"
#include "genetics/parser.h"
#include "text/language.h"
#include "text/output.h"

namespace quorvale {

// The litter prediction as the user sees it: parses the male's text (as a
// male) and the female's (as a female), writes each parent's colour and
// carrier line, the mating warnings, then "Litter: " and one group line per
// distinct offspring description (in code-point order of the description)
// with its total probability, each followed by its member genotypes with
// their own probabilities, all in the given language. A text that does not
// parse ends the report with the parser's message and a line end.
void predictLitter(std::u32string_view male_text, std::u32string_view female_text,
                   Language language, Output& out);

// The same for parents already read: male as a male, female as a female.
// The female is not looked at when the male's text failed.
// REQUIRES: both readers finished, the female's unless the male's failed.
void predictLitter(const GenotypeReader& male, const GenotypeReader& female, Language language,
                   Output& out);

// The litter part of the report, from the "Litter: " line on, for parents
// already parsed. The member lines of a group are not in expansion order:
// they come by the combination of description classes they belong to.
// REQUIRES: counts of both parents in 0..2; the male's Yellow count 0 or 2.
void writeLitter(const Genotype& male, const Genotype& female, Language language, Output& out);

}  // namespace quorvale

#endif  // QUORVALE_LITTER_REPORT_H_
