#include "litter/fraction.h"

#include <bit>
#include <charconv>
#include <cstdint>

#include "text/utf8.h"

namespace quorvale {

namespace {

void appendDecimal(std::uint64_t value, std::string& out) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

void appendFraction(std::uint64_t numerator, std::uint64_t denominator, std::string& out) {
  appendDecimal(numerator, out);
  out += '/';
  appendDecimal(denominator, out);
}

}  // namespace

std::u32string fractionText(double p) {
  // Try denominators 1, 2, 4, ... and stop at the first that holds p
  // exactly; 2^29 is the last one tried and is kept whatever p is.
  std::int32_t numerator = 0;
  std::int32_t denominator = 1;
  for (int i = 0; i <= 29; ++i) {
    denominator = std::int32_t{1} << i;
    const double scaled = p * denominator;
    numerator = static_cast<std::int32_t>(scaled);
    if (static_cast<double>(numerator) == scaled) {
      break;
    }
  }
  std::string ascii;
  appendFraction(static_cast<std::uint64_t>(numerator), static_cast<std::uint64_t>(denominator),
                 ascii);
  return fromUtf8(ascii);
}

void appendChanceText(std::uint64_t numerator, std::string& out) {
  // Cancel the common factors of two; zero has none to cancel and keeps the
  // denominator 1, as fractionText gives "0/1".
  int shift = numerator == 0 ? kChanceBits : std::countr_zero(numerator);
  if (shift > kChanceBits) {
    shift = kChanceBits;
  }
  appendFraction(numerator >> shift, kChanceOne >> shift, out);
}

}  // namespace quorvale
