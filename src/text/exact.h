#ifndef QUORVALE_TEXT_EXACT_H_
#define QUORVALE_TEXT_EXACT_H_

#include <boost/multiprecision/cpp_int.hpp>
#include <cstdint>
#include <string>

namespace quorvale {

// Whole numbers of any size, for chances that are exact but do not fit in
// 64 bits: the chance that none of N young is of a kind, (c/b)^N, has a
// denominator of up to 28 x 99 bits, and a chance given a whole stock of
// animals has hundreds of digits. The same bits on every platform, unlike
// floating point. Boost's cpp_int is used header-only and never throws
// here: the program is built with BOOST_NO_EXCEPTIONS, and text/exact.cpp
// ends the program where the library would throw (it would only on a
// division by zero, which no caller makes).
using Integer = boost::multiprecision::cpp_int;

// A fraction of two whole numbers, not necessarily in lowest terms.
struct Ratio {
  Integer numerator;
  Integer denominator;  // above zero
};

// numerator/denominator of 64-bit values, as a Ratio.
Ratio ratio(std::uint64_t numerator, std::uint64_t denominator);

// The same fraction in lowest terms.
Ratio lowestTerms(const Ratio& value);

// a + b, in lowest terms.
Ratio sumOf(const Ratio& a, const Ratio& b);

// a times b, not reduced (a product is mostly summed next, and reduced
// there).
Ratio productOf(const Ratio& a, const Ratio& b);

// base^exponent.
Integer power(const Integer& base, unsigned exponent);

// The decimal digits of a value (not negative), in ASCII, without the
// library's own formatting (which would pull the C++ streams into the web
// page's module).
std::string decimalDigits(const Integer& value);

// The ratio times 10^digits, rounded half up to a whole number.
// REQUIRES: digits >= 0; the ratio is not negative.
Integer roundedScaled(const Ratio& value, int digits);

}  // namespace quorvale

#endif  // QUORVALE_TEXT_EXACT_H_
