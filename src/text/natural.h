#ifndef QUORVALE_TEXT_NATURAL_H_
#define QUORVALE_TEXT_NATURAL_H_

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace quorvale {

// A whole number of any size, for chances that are exact but do not fit
// in 64 bits: the chance that none of N young is of a kind, (c/b)^N, has a
// denominator of up to 28 x 99 bits. Only what those chances and their
// decimals need: products by small numbers, sums, differences, comparison.
// The same bits on every platform, unlike floating point.
class Natural {
 public:
  // The most 32-bit limbs a Natural holds: enough for 28-bit numbers to the
  // 99th power, times 2 x 10^9.
  static constexpr std::size_t kMostLimbs = 96;

  Natural() = default;
  explicit Natural(std::uint64_t value);

  // *this times factor.
  Natural& operator*=(std::uint32_t factor);
  Natural& operator+=(const Natural& other);
  // REQUIRES: other <= *this.
  Natural& operator-=(const Natural& other);

  // The value, when it fits in 64 bits.
  std::optional<std::uint64_t> value64() const;

  friend std::strong_ordering operator<=>(const Natural& a, const Natural& b);
  friend bool operator==(const Natural& a, const Natural& b) { return std::is_eq(a <=> b); }

 private:
  void trim();

  // Least significant first; size_ of them in use, the highest not zero.
  std::array<std::uint32_t, kMostLimbs> limbs_{};
  std::size_t size_ = 0;
};

// base^exponent, by repeated multiplication.
Natural power(std::uint32_t base, int exponent);

// A fraction of two naturals, not necessarily in lowest terms.
struct Ratio {
  Natural numerator;
  Natural denominator;  // not zero
};

// numerator/denominator of 64-bit values, as a Ratio.
Ratio ratio(std::uint64_t numerator, std::uint64_t denominator);

// The ratio times 10^digits, rounded half up to a whole number.
// REQUIRES: the result fits in 64 bits; value * 2 x 10^digits fits in a
// Natural.
std::uint64_t roundedScaled(const Ratio& value, int digits);

}  // namespace quorvale

#endif  // QUORVALE_TEXT_NATURAL_H_
