#ifndef QUORVALE_STOCK_POSSIBLE_GROUPS_H_
#define QUORVALE_STOCK_POSSIBLE_GROUPS_H_

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "genetics/genotype.h"
#include "phenotype/description.h"
#include "stock/gene_states.h"
#include "stock/inference.h"
#include "text/language.h"

namespace quorvale {

// The young a pairing of a stock could have only through more unseen
// mutant alleles in the parents than the file needs: a Cream pup of a
// Golden pair whose Cream nobody has seen. Their chance is 0 in the limit
// the inference takes, but a breeder wants to know what could turn up,
// and what it would take.

// A state of one parent's gene that the file leaves possible but gives no
// chance: "the male carries Cream".
struct ParentCondition {
  bool male = true;  // else the female
  GeneIndex gene = 0;
  int state = 0;
  friend bool operator==(const ParentCondition&, const ParentCondition&) = default;
};

struct PossibleGroup {
  DescriptionKey key;  // decided with its warnings and sex, as a litter's groups are
  std::u32string description;
  // The fewest more unseen mutant alleles the parents would need for it.
  int extra = 1;
  // For a group that needs one: each way to have it, the states it takes
  // (one parent's gene, or both parents' when one unseen allele of a
  // forebear they share would give both); any of the ways will do. Empty
  // for groups that need more.
  std::vector<std::vector<ParentCondition>> conditions;
};

// The groups of the pairing's possible young that no young of the readings
// of least power has, fewest extra alleles first, then in code-point order
// of their descriptions.
// REQUIRES: parts is the joint of the male and the female
// (StockModel::joint), possible.
std::vector<PossibleGroup> possibleGroups(const std::vector<JointPart>& parts, std::size_t male,
                                          Language language);

// Whether some reading of the joint, at any power, lets the pair have a
// young that is born with a colour line: one whose genotype lies in one of
// the line's boxes (stock/coat_boxes.h) and, when the line shows a sex, is
// of that sex (Sex::Unspecified when it shows none).
// REQUIRES: parts is the joint of the male and another animal, possible.
bool canHaveLine(const std::vector<JointPart>& parts, std::size_t male,
                 std::span<const GeneBox> boxes, Sex sex);

}  // namespace quorvale

#endif  // QUORVALE_STOCK_POSSIBLE_GROUPS_H_
