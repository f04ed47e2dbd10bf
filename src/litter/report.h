#ifndef QUORVALE_LITTER_REPORT_H_
#define QUORVALE_LITTER_REPORT_H_

#include <string>
#include <string_view>

#include "text/output.h"

namespace quorvale {

// The litter prediction as the user sees it: parses the male's text (as a
// male) and the female's (as a female), writes each parent's colour and
// carrier line, the mating warnings, then "Litter: " and one group line per
// distinct offspring description (in code-point order of the description)
// with its total probability, each followed by its member genotypes with
// their own probabilities. A text that does not parse ends the report with
// the parser's message and a line end.
void predictLitter(std::u32string_view male_text, std::u32string_view female_text, Output& out);

// A probability as "numerator/denominator" with the smallest power-of-two
// denominator up to 2^29 that holds it exactly ("1/2", "3/4", "1/1", "0/1");
// values that are not multiples of 2^-29 are truncated to that denominator.
// REQUIRES: 0 <= p <= 1.
std::u32string fractionText(double p);

}  // namespace quorvale

#endif  // QUORVALE_LITTER_REPORT_H_
