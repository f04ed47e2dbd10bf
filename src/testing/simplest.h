#ifndef QUORVALE_TESTING_SIMPLEST_H_
#define QUORVALE_TESTING_SIMPLEST_H_

#include <string>
#include <string_view>
#include <vector>

namespace quorvale {

// The plain reference for the way back from a colour line
// (phenotype/colour_lookup.h), for tests: every genotype with at most
// most_alleles mutant alleles (a male's To counts as one), each of them
// described as option 1 describes it, and of those whose first line is
// the given one (compared as written, in either language) the ones with
// the fewest alleles, as their texts, sorted: those without a sex when
// they are as simple as any, else the simplest male and female ones. When
// none writes the line with its sex, the line is taken as written without
// it.
std::vector<std::u32string> simplestByBruteForce(std::u32string_view line, int most_alleles);

}  // namespace quorvale

#endif  // QUORVALE_TESTING_SIMPLEST_H_
