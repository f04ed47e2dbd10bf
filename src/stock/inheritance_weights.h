#ifndef QUORVALE_STOCK_INHERITANCE_WEIGHTS_H_
#define QUORVALE_STOCK_INHERITANCE_WEIGHTS_H_

#include <cstdint>

#include "genetics/genotype.h"
#include "stock/gene_states.h"

namespace quorvale {

// How a young inherits one gene, in whole numbers for the stock's
// inference: the weights of its states given its parents' states, in
// proportion to their chances among the young of those parents that are
// born. Mendelian for the autosomal genes; Yellow on the X chromosome, a
// son's from his mother, a daughter's one from each parent, each sex with
// chance 1/2. A young with two Light Grey or two Dominant Spot alleles is
// never born, so for those genes the other young share its chance: two
// carriers of Light Grey have born young with one allele in 2 of 3.

// The weight of young state y given the father's state f and the mother's
// state m, out of kInheritanceWhole for each (f, m).
// REQUIRES: f is a male's state and m a female's (for Yellow); none of
// them is a state bornStates excludes.
inline constexpr std::uint64_t kInheritanceWhole = 12;
std::uint64_t inheritanceWeight(GeneIndex g, int f, int m, int y);

}  // namespace quorvale

#endif  // QUORVALE_STOCK_INHERITANCE_WEIGHTS_H_
