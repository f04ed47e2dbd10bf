#ifndef QUORVALE_LITTER_PHENOTYPE_GROUPS_H_
#define QUORVALE_LITTER_PHENOTYPE_GROUPS_H_

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "genetics/genotype.h"

namespace quorvale {

// The offspring of a cross gathered by their full description (colour, sex
// and undesirable combinations), without listing them one by one.
//
// A litter can hold millions of genotypes but only a few thousand distinct
// descriptions. The description of an animal reads of each gene only its
// describedGeneValue (phenotype/description.h), and the sex. So at every
// gene the children of the cross fall into a few classes that the
// description cannot tell apart, and the litter is the product of those
// classes: each choice of one class per gene (a "combination") stands for
// every genotype built from the children in the chosen classes, all with the
// same description. Describing one representative per combination names
// them all, and the members of a combination are listed by walking the
// product of its classes.

// One child of a gene as a member line shows it.
struct GeneOption {
  std::string token;  // this gene's part of the genotype text; "" when wild
  int halvings = 0;   // the child's chance is 2^-halvings
};

// Children of one gene that the description cannot tell apart, in the order
// the cross expands them.
struct GeneClass {
  std::vector<GeneOption> options;
  // The summed chance of the options, in quarters (1 to 4).
  std::uint32_t quarters = 0;
};

// The offspring that share one full description.
struct PhenotypeGroup {
  std::u32string description;
  // The group's chance as a numerator over 2^28 (see litter/fraction.h).
  std::uint64_t chance = 0;
  // The combinations that have this description, ascending; decode them
  // with classesOf.
  std::vector<std::uint32_t> combinations;
};

struct GroupedLitter {
  // For each gene, its classes in order of their first child.
  std::array<std::vector<GeneClass>, GeneCount> classes;
  // Every distinct description once, ascending in code-point order.
  std::vector<PhenotypeGroup> groups;
  // The ASCII text of a genotype that has nothing to write ("--").
  std::string wildText;
};

// Crosses male with female (male first) and gathers the offspring by their
// full description in the language of the run. Group chances are exact and
// add up to 2^28.
// REQUIRES: counts of both parents in 0..2; the male's Yellow count 0 or 2.
GroupedLitter groupLitter(const Genotype& male, const Genotype& female);

// A gene has at most four children, so at most four classes: a combination
// holds each gene's class in two bits, gene 0 in the highest, so ascending
// combinations follow the expansion order of the cross, and decoding one
// takes no division.
inline constexpr int kClassBits = 2;
static_assert(kClassBits * GeneCount <= 32);

// The class chosen at gene g by a combination.
// REQUIRES: 0 <= g < GeneCount.
constexpr int classOf(std::uint32_t combination, GeneIndex g) {
  return static_cast<int>((combination >> kClassBits * (GeneCount - 1 - g)) & 3u);
}

// The first gene at which combinations a and b choose different classes;
// GeneCount when they are the same.
constexpr GeneIndex firstDifference(std::uint32_t a, std::uint32_t b) {
  const std::uint32_t differ = a ^ b;
  if (differ == 0) {
    return GeneCount;
  }
  const int highest_bit = 31 - std::countl_zero(differ);
  return GeneCount - 1 - highest_bit / kClassBits;
}

// The class chosen at each gene by a combination of litter.
std::array<int, GeneCount> classesOf(const GroupedLitter& litter, std::uint32_t combination);

}  // namespace quorvale

#endif  // QUORVALE_LITTER_PHENOTYPE_GROUPS_H_
