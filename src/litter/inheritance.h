#ifndef QUORVALE_LITTER_INHERITANCE_H_
#define QUORVALE_LITTER_INHERITANCE_H_

#include <array>

#include "genetics/genotype.h"

namespace quorvale {

// One way a single gene can come out in an offspring of a given pair.
struct GeneChild {
  int count = 0;  // mutant alleles of the gene in the offspring
  // The Sex code the child gets (Yellow only, which lies on the X
  // chromosome); kKeepSex leaves the offspring's sex as it was.
  int sex = kKeepSex;
  // The chance of this child is 2^-halvings: 1, 1/2 or 1/4.
  int halvings = 0;

  static constexpr int kKeepSex = -1;
};

// The children one gene yields for a pair, in the order the cross expands
// them; they have between one and four entries and their chances add up to 1.
struct GeneChildren {
  std::array<GeneChild, 4> child{};
  int size = 0;
};

// The segregation of gene g when the male has male_count mutant alleles and
// the female female_count: Mendelian for genes 0 to 12 (and for Yellow when
// neither parent has it), X-linked for Yellow, which then also decides the
// offspring's sex.
// REQUIRES: counts in 0..2; for Yellow the male's count is 0 or 2 (a count
// of 1 is read as 2, the male having To).
GeneChildren geneChildren(GeneIndex g, int male_count, int female_count);

}  // namespace quorvale

#endif  // QUORVALE_LITTER_INHERITANCE_H_
