#include "litter/fraction.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <numeric>
#include <string>

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

void appendChanceText(std::uint64_t numerator, std::string& out) {
  // Cancel the common factors of two; zero has none to cancel and keeps the
  // denominator 1: "0/1".
  int shift = numerator == 0 ? kChanceBits : std::countr_zero(numerator);
  if (shift > kChanceBits) {
    shift = kChanceBits;
  }
  appendFraction(numerator >> shift, kChanceOne >> shift, out);
}

void appendFractionText(std::uint64_t numerator, std::uint64_t denominator, std::string& out) {
  const std::uint64_t common = std::gcd(numerator, denominator);
  appendFraction(numerator / common, denominator / common, out);
}

}  // namespace quorvale
