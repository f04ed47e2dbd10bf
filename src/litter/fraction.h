#ifndef QUORVALE_LITTER_FRACTION_H_
#define QUORVALE_LITTER_FRACTION_H_

#include <cstdint>
#include <string>

namespace quorvale {

// Every chance in a litter is a whole number of 2^-28ths: the smallest single
// chance is 1/4 for each of the fourteen genes.
inline constexpr int kChanceBits = 28;
inline constexpr std::uint64_t kChanceOne = std::uint64_t{1} << kChanceBits;

// Appends the chance numerator / 2^28 as "numerator/denominator" in ASCII,
// with the smallest power-of-two denominator that holds it exactly ("1/2",
// "3/4", "1/1", "0/1"), without going through floating point.
// REQUIRES: numerator <= kChanceOne.
void appendChanceText(std::uint64_t numerator, std::string& out);

// Appends numerator/denominator in lowest terms, "2/3", in ASCII.
// REQUIRES: denominator > 0.
void appendFractionText(std::uint64_t numerator, std::uint64_t denominator, std::string& out);

}  // namespace quorvale

#endif  // QUORVALE_LITTER_FRACTION_H_
