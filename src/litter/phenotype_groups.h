#ifndef QUORVALE_LITTER_PHENOTYPE_GROUPS_H_
#define QUORVALE_LITTER_PHENOTYPE_GROUPS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "genetics/genotype.h"
#include "litter/expansion.h"
#include "litter/inheritance.h"
#include "phenotype/colour_rules.h"
#include "phenotype/description.h"
#include "text/language.h"

namespace quorvale {

// The offspring of a cross gathered by their full description (colour, sex
// and undesirable combinations), without listing them one by one: the
// expansion (litter/expansion.h) with classes that the description cannot
// tell apart, and the description of one representative per combination.

// The offspring that share one full description.
struct PhenotypeGroup {
  std::u32string description;
  // What the description says, as the first member met decided it: its
  // line and warnings in either language (describedLine, describedWarnings).
  DescriptionKey key;
  // The coat the description names (the same for every member).
  CoatClass coat;
  // The sex of every member where the cross fixes one (a white son and a
  // white daughter share a group, and then it is Unspecified).
  Sex sex = Sex::Unspecified;
  // The group's chance as a numerator over 2^28 (see litter/fraction.h).
  std::uint64_t chance = 0;
  // The combinations that have this description, ascending.
  std::vector<std::uint32_t> combinations;
};

struct GroupedLitter {
  // Each gene's children in classes by what the description reads of them.
  LitterExpansion expansion;
  // Every distinct description once, ascending in code-point order.
  std::vector<PhenotypeGroup> groups;
  // The group of each combination, in the order forEachCombination walks
  // them, for analyses that walk the litter again.
  std::vector<std::uint32_t> group_of_combination;
};

// Crosses male with female (male first) and gathers the offspring by their
// full description in the given language. Group chances are exact and add
// up to 2^28.
// REQUIRES: counts of both parents in 0..2; the male's Yellow count 0 or 2.
GroupedLitter groupLitter(const Genotype& male, const Genotype& female, Language language);

// The class key of the grouping: what the description can see of a child
// of gene g (describedGeneValue), together with the sex it sets.
constexpr int describedChildKey(GeneIndex g, const GeneChild& child) {
  const int sex = child.sex == GeneChild::kKeepSex ? 0 : child.sex;
  return describedGeneValue(g, child.count) * 3 + sex;
}

}  // namespace quorvale

#endif  // QUORVALE_LITTER_PHENOTYPE_GROUPS_H_
