#include "stock/weight.h"

#include <cassert>

namespace quorvale {

Weight& operator+=(Weight& a, const Weight& b) {
  if (b.power < a.power) {
    a = b;
  } else if (b.power == a.power && !b.isZero()) {
    a.coefficient += b.coefficient;
  }
  return a;
}

Weight operator+(const Weight& a, const Weight& b) {
  Weight sum = a;
  sum += b;
  return sum;
}

Weight operator*(const Weight& a, const Weight& b) {
  if (a.isZero() || b.isZero()) {
    return Weight::zero();
  }
  return {a.power + b.power, a.coefficient * b.coefficient};
}

Weight power(const Weight& a, unsigned exponent) {
  assert(exponent >= 1);
  if (a.isZero()) {
    return a;
  }
  return {a.power * static_cast<int>(exponent), quorvale::power(a.coefficient, exponent)};
}

}  // namespace quorvale
