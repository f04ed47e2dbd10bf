#ifndef QUORVALE_TEXT_DECIMAL_H_
#define QUORVALE_TEXT_DECIMAL_H_

#include <string>

#include "text/exact.h"
#include "text/language.h"

namespace quorvale {

// Decimals of exact fractions, worked out with whole numbers only, so that
// every platform writes the same digits (no printf, no floating point),
// rounded half up. English writes a decimal point, Russian a decimal comma.

// The fraction with `digits` decimals: "5.3", "0.0", "12,50".
std::u32string decimalText(const Ratio& value, int digits, Language language);

// The fraction as a percentage with one decimal and " %": "43.8 %",
// "100.0 %"; "< 0.1 %" for a share under 0.05 %, "> 99.9 %" for one over
// 99.95 % that is not all.
std::u32string percentText(const Ratio& share, Language language);

// The fraction as a JSON number with at most `digits` decimals, without
// trailing zeros: "43.75", "0.5", "1", "0".
std::string jsonNumber(const Ratio& value, int digits);

}  // namespace quorvale

#endif  // QUORVALE_TEXT_DECIMAL_H_
