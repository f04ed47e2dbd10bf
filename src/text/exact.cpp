#include "text/exact.h"

#include <algorithm>
#include <boost/assert/source_location.hpp>
#include <cassert>
#include <cstdint>
#include <exception>
#include <utility>

namespace boost {

// With BOOST_NO_EXCEPTIONS the library calls these where it would throw.
// Nothing here divides by zero or turns a negative number into an unsigned
// one, so they are never reached; should one be, the program stops rather
// than go on with a wrong number.
void throw_exception(const std::exception& /*unused*/) { __builtin_trap(); }
void throw_exception(const std::exception& /*unused*/, const boost::source_location& /*unused*/) {
  __builtin_trap();
}

}  // namespace boost

#if defined(__wasi__)
// The 128-bit division that the library's arithmetic compiles to comes, on
// WebAssembly, from a runtime built with the stack protector, which expects
// these two from the C library; the one for the web page has neither.
extern "C" {
// NOLINTNEXTLINE(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
std::uintptr_t __stack_chk_guard = 0x5157'4C45;
// NOLINTNEXTLINE(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
[[noreturn]] void __stack_chk_fail() { __builtin_trap(); }
}
#endif

namespace quorvale {

Ratio ratio(std::uint64_t numerator, std::uint64_t denominator) {
  return {Integer(numerator), Integer(denominator)};
}

Ratio lowestTerms(const Ratio& value) {
  const Integer common = boost::multiprecision::gcd(value.numerator, value.denominator);
  if (common <= 1) {
    return value;
  }
  return {value.numerator / common, value.denominator / common};
}

Ratio sumOf(const Ratio& a, const Ratio& b) {
  return lowestTerms(
      {a.numerator * b.denominator + b.numerator * a.denominator, a.denominator * b.denominator});
}

Ratio productOf(const Ratio& a, const Ratio& b) {
  return {a.numerator * b.numerator, a.denominator * b.denominator};
}

Integer power(const Integer& base, unsigned exponent) {
  return boost::multiprecision::pow(base, exponent);
}

std::string decimalDigits(const Integer& value) {
  assert(value >= 0);
  // Eighteen digits at a time: each piece fits 64 bits.
  constexpr std::uint64_t kPiece = 1000000000000000000ULL;
  std::string digits;
  Integer rest = value;
  while (rest >= kPiece) {
    Integer quotient;
    Integer remainder;
    boost::multiprecision::divide_qr(rest, Integer(kPiece), quotient, remainder);
    auto piece = static_cast<std::uint64_t>(remainder);
    for (int i = 0; i < 18; ++i) {
      digits += static_cast<char>('0' + piece % 10);
      piece /= 10;
    }
    rest = std::move(quotient);
  }
  auto piece = static_cast<std::uint64_t>(rest);
  do {
    digits += static_cast<char>('0' + piece % 10);
    piece /= 10;
  } while (piece != 0);
  std::reverse(digits.begin(), digits.end());
  return digits;
}

Integer roundedScaled(const Ratio& value, int digits) {
  assert(digits >= 0 && value.numerator >= 0 && value.denominator > 0);
  // round(n / d * 10^k) = floor((2 n 10^k + d) / (2 d)).
  const Integer scaled =
      value.numerator * power(Integer(10), static_cast<unsigned>(digits)) * 2 + value.denominator;
  return scaled / (value.denominator * 2);
}

}  // namespace quorvale
