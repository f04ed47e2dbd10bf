#ifndef QUORVALE_STOCK_WEIGHT_H_
#define QUORVALE_STOCK_WEIGHT_H_

#include <climits>
#include <cstdint>

#include "text/exact.h"

namespace quorvale {

// How much one reading of a stock file weighs: a polynomial in ε, the
// vanishing chance that an allele of a founder is mutant when nothing says
// so, kept by its leading term alone. The inference only ever adds and
// multiplies weights (no subtraction), so the leading term of a sum is that
// of its summands with the lowest power, their coefficients added, and the
// leading term of a product is the product of theirs: what the weights
// become as ε goes to 0, exactly.
struct Weight {
  // The weight 0: no reading has it.
  static constexpr int kZero = INT_MAX;

  int power = kZero;    // the lowest power of ε
  Integer coefficient;  // its coefficient, above zero unless the weight is 0

  static Weight zero() { return {}; }
  static Weight of(int power, std::uint64_t coefficient) {
    return coefficient == 0 ? Weight{} : Weight{power, Integer(coefficient)};
  }

  bool isZero() const { return power == kZero; }
};

// a + b.
Weight operator+(const Weight& a, const Weight& b);
Weight& operator+=(Weight& a, const Weight& b);

// a * b.
Weight operator*(const Weight& a, const Weight& b);

// a^exponent.
// REQUIRES: exponent >= 1.
Weight power(const Weight& a, unsigned exponent);

}  // namespace quorvale

#endif  // QUORVALE_STOCK_WEIGHT_H_
