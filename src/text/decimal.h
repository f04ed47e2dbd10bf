#ifndef QUORVALE_TEXT_DECIMAL_H_
#define QUORVALE_TEXT_DECIMAL_H_

#include <string>

#include "text/language.h"

namespace quorvale {

struct Ratio;  // text/exact.h

// Decimals of exact fractions, worked out with whole numbers only, so that
// every platform writes the same digits (no printf, no floating point),
// rounded half up. English writes a decimal point, Russian a decimal comma.

// The fraction with `digits` decimals: "5.3", "0.0", "12,50".
std::u32string decimalText(const Ratio& value, int digits, Language language);

// The fraction as a percentage with one decimal and " %": "43.8 %",
// "100.0 %"; "< 0.1 %" for a share under 0.05 %, "> 99.9 %" for one over
// 99.95 % that is not all.
std::u32string percentText(const Ratio& share, Language language);

// The fraction as a percentage with two decimals and " %", rounded away
// from a threshold it is compared with, so that the digits never put it on
// the threshold's other side: 5.035 % beside 5 % is "5.04 %", 4.996 %
// beside 5 % is "4.99 %".
std::u32string percentBeside(const Ratio& share, const Ratio& threshold, Language language);

// The fraction as a JSON number with 6 significant digits, rounded half
// up, without trailing zeros: "0.666667", "0.25", "1", "24.75"; with a
// power of ten, as C's %g writes one but without leading zeros in the
// exponent, below 0.0001 and from 1000000 up: "3.72529e-9", "1e-5". A
// fraction that is not 0 is never written as 0.
std::string jsonValue(const Ratio& value);

// The fraction in lowest terms, each part as its decimal digits, of any
// size: {"2", "3"} for 4/6, {"0", "1"} for 0.
struct FractionDigits {
  std::string numerator;
  std::string denominator;
};
FractionDigits lowestTermsDigits(const Ratio& value);

}  // namespace quorvale

#endif  // QUORVALE_TEXT_DECIMAL_H_
