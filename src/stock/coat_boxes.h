#ifndef QUORVALE_STOCK_COAT_BOXES_H_
#define QUORVALE_STOCK_COAT_BOXES_H_

#include <span>
#include <vector>

#include "phenotype/description.h"
#include "stock/gene_states.h"

namespace quorvale {

// The genotypes of a coat, for the inference over a stock: every genotype
// of an animal that was born whose colour line is one of some lines, as a
// few disjoint boxes (stock/gene_states.h). Most lines are one box: each
// gene on its own shows or does not. A line that ties genes together, such
// as Tri-Color (Tortoiseshell with any of three white patterns) or FE
// White (a DE White with Cinnamon, or a silver-grey white with it), is two
// or three boxes, the unnamed colour a few dozen.

// Every colour line an animal that was born can have, without its sex
// suffix and warnings (decideDescription(g, false, false)), each once, in
// ascending order of their keys.
const std::vector<DescriptionKey>& everyColourLine();

// The genotypes whose line is one of `lines`, as disjoint boxes; none when
// no genotype has any of them.
// REQUIRES: lines ascend (by their keys' bits).
std::vector<GeneBox> coatBoxes(std::span<const DescriptionKey> lines);

}  // namespace quorvale

#endif  // QUORVALE_STOCK_COAT_BOXES_H_
