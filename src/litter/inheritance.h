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

namespace inheritance_tables {

inline constexpr int kKeep = GeneChild::kKeepSex;
inline constexpr int kMale = static_cast<int>(Sex::Male);
inline constexpr int kFemale = static_cast<int>(Sex::Female);

// Mendelian segregation of one autosomal gene. The row depends only on the
// unordered pair of parental counts, so it is the same whichever parent has
// which count.
inline constexpr GeneChildren kBothHomozygousWild = {{{{0, kKeep, 0}}}, 1};
inline constexpr GeneChildren kBothHomozygousMutant = {{{{2, kKeep, 0}}}, 1};
inline constexpr GeneChildren kOppositeHomozygotes = {{{{1, kKeep, 0}}}, 1};
inline constexpr GeneChildren kWildTimesCarrier = {{{{1, kKeep, 1}, {0, kKeep, 1}}}, 2};
inline constexpr GeneChildren kMutantTimesCarrier = {{{{1, kKeep, 1}, {2, kKeep, 1}}}, 2};
inline constexpr GeneChildren kTwoCarriers = {{{{1, kKeep, 1}, {2, kKeep, 2}, {0, kKeep, 2}}}, 3};

// Indexed [male count][female count].
inline constexpr const GeneChildren* kAutosomal[3][3] = {
    {&kBothHomozygousWild, &kWildTimesCarrier, &kOppositeHomozygotes},
    {&kWildTimesCarrier, &kTwoCarriers, &kMutantTimesCarrier},
    {&kOppositeHomozygotes, &kMutantTimesCarrier, &kBothHomozygousMutant},
};

// Yellow lies on the X chromosome: a son takes his only X from his mother, a
// daughter one from each parent. A male has count 0 (no To) or 2 (To). When
// the mother has one To, her sons and daughters without it show no Yellow
// and are kept as one entry with no sex when the father lacks To as well.
// Indexed [male has To][female count].
inline constexpr GeneChildren kYellow[2][3] = {
    {
        {{{{0, kKeep, 0}}}, 1},
        {{{{2, kMale, 2}, {0, kKeep, 1}, {1, kFemale, 2}}}, 3},
        {{{{1, kFemale, 1}, {2, kMale, 1}}}, 2},
    },
    {
        {{{{1, kFemale, 1}, {0, kMale, 1}}}, 2},
        {{{{2, kMale, 2}, {0, kMale, 2}, {1, kFemale, 2}, {2, kFemale, 2}}}, 4},
        {{{{2, kFemale, 1}, {2, kMale, 1}}}, 2},
    },
};

}  // namespace inheritance_tables

// The segregation of gene g when the male has male_count mutant alleles and
// the female female_count: Mendelian for genes 0 to 12 (and for Yellow when
// neither parent has it), X-linked for Yellow, which then also decides the
// offspring's sex. A constant expression, so that bounds that follow from
// it (litter/member_lines.cpp) are checked when the program is compiled.
// REQUIRES: counts in 0..2; for Yellow the male's count is 0 or 2 (a count
// of 1 is read as 2, the male having To).
constexpr GeneChildren geneChildren(GeneIndex g, int male_count, int female_count) {
  using namespace inheritance_tables;
  if (isSexLinked(g)) {
    return kYellow[male_count != 0 ? 1 : 0][female_count];
  }
  return *kAutosomal[male_count][female_count];
}

}  // namespace quorvale

#endif  // QUORVALE_LITTER_INHERITANCE_H_
