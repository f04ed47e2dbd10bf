#include "litter/inheritance.h"

namespace quorvale {

namespace {

constexpr int kKeep = GeneChild::kKeepSex;
constexpr int kMale = static_cast<int>(Sex::Male);
constexpr int kFemale = static_cast<int>(Sex::Female);

// Mendelian segregation of one autosomal gene. The row depends only on the
// unordered pair of parental counts, so it is the same whichever parent has
// which count.
constexpr GeneChildren kBothHomozygousWild = {{{{0, kKeep, 0}}}, 1};
constexpr GeneChildren kBothHomozygousMutant = {{{{2, kKeep, 0}}}, 1};
constexpr GeneChildren kOppositeHomozygotes = {{{{1, kKeep, 0}}}, 1};
constexpr GeneChildren kWildTimesCarrier = {{{{1, kKeep, 1}, {0, kKeep, 1}}}, 2};
constexpr GeneChildren kMutantTimesCarrier = {{{{1, kKeep, 1}, {2, kKeep, 1}}}, 2};
constexpr GeneChildren kTwoCarriers = {{{{1, kKeep, 1}, {2, kKeep, 2}, {0, kKeep, 2}}}, 3};

// Indexed [male count][female count].
constexpr const GeneChildren* kAutosomal[3][3] = {
    {&kBothHomozygousWild, &kWildTimesCarrier, &kOppositeHomozygotes},
    {&kWildTimesCarrier, &kTwoCarriers, &kMutantTimesCarrier},
    {&kOppositeHomozygotes, &kMutantTimesCarrier, &kBothHomozygousMutant},
};

// Yellow lies on the X chromosome: a son takes his only X from his mother, a
// daughter one from each parent. A male has count 0 (no To) or 2 (To). When
// the mother has one To, her sons and daughters without it show no Yellow
// and are kept as one entry with no sex when the father lacks To as well.
// Indexed [male has To][female count].
constexpr GeneChildren kYellow[2][3] = {
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

}  // namespace

GeneChildren geneChildren(GeneIndex g, int male_count, int female_count) {
  if (isSexLinked(g)) {
    return kYellow[male_count != 0 ? 1 : 0][female_count];
  }
  return *kAutosomal[male_count][female_count];
}

}  // namespace quorvale
