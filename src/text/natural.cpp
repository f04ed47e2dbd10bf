#include "text/natural.h"

#include <algorithm>
#include <cassert>

namespace quorvale {

Natural::Natural(std::uint64_t value) {
  while (value != 0) {
    limbs_[size_++] = static_cast<std::uint32_t>(value);
    value >>= 32;
  }
}

std::optional<std::uint64_t> Natural::value64() const {
  if (size_ > 2) {
    return std::nullopt;
  }
  return std::uint64_t{limbs_[0]} | std::uint64_t{limbs_[1]} << 32;
}

void Natural::trim() {
  while (size_ > 0 && limbs_[size_ - 1] == 0) {
    --size_;
  }
}

Natural& Natural::operator*=(std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (std::size_t i = 0; i < size_; ++i) {
    const std::uint64_t product = std::uint64_t{limbs_[i]} * factor + carry;
    limbs_[i] = static_cast<std::uint32_t>(product);
    carry = product >> 32;
  }
  if (carry != 0) {
    assert(size_ < kMostLimbs);
    limbs_[size_++] = static_cast<std::uint32_t>(carry);
  }
  trim();
  return *this;
}

Natural& Natural::operator+=(const Natural& other) {
  const std::size_t size = std::max(size_, other.size_);
  std::uint64_t carry = 0;
  for (std::size_t i = 0; i < size; ++i) {
    const std::uint64_t sum = std::uint64_t{limbs_[i]} + other.limbs_[i] + carry;
    limbs_[i] = static_cast<std::uint32_t>(sum);
    carry = sum >> 32;
  }
  size_ = size;
  if (carry != 0) {
    assert(size_ < kMostLimbs);
    limbs_[size_++] = static_cast<std::uint32_t>(carry);
  }
  return *this;
}

Natural& Natural::operator-=(const Natural& other) {
  assert(other <= *this);
  std::uint64_t borrow = 0;
  for (std::size_t i = 0; i < size_; ++i) {
    const std::uint64_t subtrahend = std::uint64_t{other.limbs_[i]} + borrow;
    borrow = limbs_[i] < subtrahend ? 1 : 0;
    limbs_[i] = static_cast<std::uint32_t>(limbs_[i] - subtrahend);
  }
  trim();
  return *this;
}

std::strong_ordering operator<=>(const Natural& a, const Natural& b) {
  if (a.size_ != b.size_) {
    return a.size_ <=> b.size_;
  }
  for (std::size_t i = a.size_; i-- > 0;) {
    if (a.limbs_[i] != b.limbs_[i]) {
      return a.limbs_[i] <=> b.limbs_[i];
    }
  }
  return std::strong_ordering::equal;
}

Natural power(std::uint32_t base, int exponent) {
  Natural result(1);
  for (int i = 0; i < exponent; ++i) {
    result *= base;
  }
  return result;
}

Ratio ratio(std::uint64_t numerator, std::uint64_t denominator) {
  return {Natural(numerator), Natural(denominator)};
}

namespace {

// n times a factor below 2^40, as two products.
Natural times(Natural n, std::uint64_t factor) {
  Natural high = n;
  high *= static_cast<std::uint32_t>(factor >> 20);
  high *= 1u << 20;
  n *= static_cast<std::uint32_t>(factor & ((1u << 20) - 1));
  n += high;
  return n;
}

}  // namespace

std::uint64_t roundedScaled(const Ratio& value, int digits) {
  // round(n / d * 10^k) = floor((2 n 10^k + d) / (2 d)). Most values (the
  // shares of a litter) fit 64-bit arithmetic.
  std::uint64_t scale = 2;
  for (int i = 0; i < digits; ++i) {
    scale *= 10;
  }
  const std::optional<std::uint64_t> n = value.numerator.value64();
  const std::optional<std::uint64_t> d = value.denominator.value64();
  constexpr std::uint64_t kRoom = std::uint64_t{1} << 62;
  if (n && d && *d < kRoom && *n < (kRoom - *d) / scale) {
    return (*n * scale + *d) / (*d * 2);
  }
  // Otherwise the largest q with 2 d q <= 2 n 10^k + d, by bisection.
  Natural target = value.numerator;
  for (int i = 0; i < digits; ++i) {
    target *= 10;
  }
  target *= 2;
  target += value.denominator;
  Natural twice_denominator = value.denominator;
  twice_denominator *= 2;
  std::uint64_t low = 0;  // 2 d low <= target
  std::uint64_t high = 1;
  while (times(twice_denominator, high) <= target) {
    low = high;
    high *= 2;
  }
  while (high - low > 1) {
    const std::uint64_t middle = low + (high - low) / 2;
    (times(twice_denominator, middle) <= target ? low : high) = middle;
  }
  return low;
}

}  // namespace quorvale
