#ifndef QUORVALE_TESTING_FRACTION_TEXT_H_
#define QUORVALE_TESTING_FRACTION_TEXT_H_

#include <string>

namespace quorvale {

// A probability as "numerator/denominator" with the smallest power-of-two
// denominator up to 2^29 that holds it exactly ("1/2", "3/4", "1/1", "0/1");
// values that are not multiples of 2^-29 are truncated to that denominator
// ("178956970/536870912" for 1/3).
// The plain reference that appendChanceText (litter/fraction.h) is checked
// against.
// REQUIRES: 0 <= p <= 1.
std::u32string fractionText(double p);

}  // namespace quorvale

#endif  // QUORVALE_TESTING_FRACTION_TEXT_H_
