#ifndef QUORVALE_LITTER_FRACTION_H_
#define QUORVALE_LITTER_FRACTION_H_

#include <cstdint>
#include <string>

namespace quorvale {

// A probability as "numerator/denominator" with the smallest power-of-two
// denominator up to 2^29 that holds it exactly ("1/2", "3/4", "1/1", "0/1");
// values that are not multiples of 2^-29 are truncated to that denominator
// ("178956970/536870912" for 1/3).
// REQUIRES: 0 <= p <= 1.
std::u32string fractionText(double p);

// Every chance in a litter is a whole number of 2^-28ths: the smallest single
// chance is 1/4 for each of the fourteen genes.
inline constexpr int kChanceBits = 28;
inline constexpr std::uint64_t kChanceOne = std::uint64_t{1} << kChanceBits;

// Appends the same text as fractionText(numerator / 2^28), in ASCII, without
// going through floating point.
// REQUIRES: numerator <= kChanceOne.
void appendChanceText(std::uint64_t numerator, std::string& out);

}  // namespace quorvale

#endif  // QUORVALE_LITTER_FRACTION_H_
