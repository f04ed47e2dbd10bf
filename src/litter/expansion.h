#ifndef QUORVALE_LITTER_EXPANSION_H_
#define QUORVALE_LITTER_EXPANSION_H_

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "genetics/genotype.h"
#include "litter/inheritance.h"

namespace quorvale {

// The expansion of a litter without listing it: the engine every question
// asked of a litter is answered on (its description groups, its member
// lines, the analyses).
//
// A litter can hold millions of genotypes, but a question usually reads of
// each gene only a little: the description reads whether it shows (or its
// count, for a few genes) and the sex. So at every gene the children of the
// cross fall into a few classes that the question cannot tell apart, and
// the litter is the product of those classes: each choice of one class per
// gene (a "combination") stands for every genotype built from the children
// in the chosen classes, all with the same answer. Asking one
// representative per combination answers for them all, and the members of
// a combination are listed by walking the product of its classes' options.

// One child of a gene, as the member lines and the analyses see it.
struct GeneOption {
  std::string token;  // this gene's part of the genotype text; "" when wild
  int count = 0;      // mutant alleles of the gene in the child
  int halvings = 0;   // the child's chance is 2^-halvings
};

// Children of one gene that the question cannot tell apart, in the order
// the cross expands them.
struct GeneClass {
  std::vector<GeneOption> options;
  // The summed chance of the options, in quarters (1 to 4).
  std::uint32_t quarters = 0;
  // The first child, which stands for the class.
  GeneChild representative;
};

// The key that sorts the children of gene g into classes: children with
// the same key share a class. It must be a function of what the question
// reads of the child.
using ClassKey = int (*)(GeneIndex g, const GeneChild& child);

struct LitterExpansion {
  // For each gene, its classes in order of their first child.
  std::array<std::vector<GeneClass>, GeneCount> classes;
  // The number of combinations: the product of the numbers of classes.
  std::uint32_t combinations = 1;
};

// Crosses male with female (male first) and sorts each gene's children into
// classes by class_key.
// REQUIRES: counts of both parents in 0..2; the male's Yellow count 0 or 2.
LitterExpansion expandLitter(const Genotype& male, const Genotype& female, ClassKey class_key);

// A combination is a code that holds each gene's class in two bits (a gene
// has at most four children, so at most four classes), gene 0 in the
// highest, so ascending codes follow the expansion order of the cross and
// decoding one takes no division.
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

// The chance of a combination, as a numerator over 2^28 (litter/fraction.h):
// the product of its classes' quarters.
std::uint64_t chanceOf(const LitterExpansion& expansion, std::uint32_t combination);

// The representative of a combination: the first child of each chosen
// class, with its counts and Sex code set and nothing derived.
Genotype representativeOf(const LitterExpansion& expansion, std::uint32_t combination);

// Calls visit(combination, representative, chance) for every combination of
// the expansion, in ascending order, with the representative and chance
// that representativeOf and chanceOf give. The representative may be
// changed by visit (describing it derives its flags); only its counts and
// Sex code are kept up to date between calls. It is walked as an odometer
// whose last gene turns fastest, and the representative and chance are
// made again only from the gene that turned, so a call costs little more
// than visit itself.
template <typename Visit>
void forEachCombination(const LitterExpansion& expansion, Visit visit) {
  std::array<int, GeneCount> chosen{};
  std::array<std::uint64_t, GeneCount + 1> chance_before{};
  std::array<int, GeneCount + 1> sex_before{};
  chance_before[0] = 1;
  sex_before[0] = static_cast<int>(Sex::Unspecified);
  Genotype representative;
  std::uint32_t code = 0;
  GeneIndex turned = 0;
  for (std::uint32_t counted = 0; counted < expansion.combinations; ++counted) {
    for (GeneIndex g = turned; g < GeneCount; ++g) {
      const GeneClass& cls = expansion.classes[g][static_cast<std::size_t>(chosen[g])];
      const GeneChild& child = cls.representative;
      representative.alleleCount[g] = child.count;
      sex_before[g + 1] = child.sex == GeneChild::kKeepSex ? sex_before[g] : child.sex;
      chance_before[g + 1] = chance_before[g] * cls.quarters;
    }
    representative.alleleCount[SexSlot] = sex_before[GeneCount];
    visit(code, representative, chance_before[GeneCount]);

    for (turned = GeneCount - 1; turned > 0; --turned) {
      if (++chosen[turned] < static_cast<int>(expansion.classes[turned].size())) {
        break;
      }
      chosen[turned] = 0;
    }
    if (turned == 0) {
      ++chosen[0];
    }
    // The gene that turned counts one up and the genes after it start
    // again at 0.
    const int shift = kClassBits * (GeneCount - 1 - turned);
    code = ((code >> shift) + 1) << shift;
  }
}

}  // namespace quorvale

#endif  // QUORVALE_LITTER_EXPANSION_H_
