#include "litter/phenotype_groups.h"

#include <gtest/gtest.h>

#include <random>

#include "phenotype/description.h"
#include "text/language.h"

namespace quorvale {
namespace {

// The grouping rests on one fact about descriptions: for every gene but
// Satin, Silver Grey, Light Grey, Dominant Spot and Yellow only whether the
// gene shows matters, not the count. Swapping counts that show alike (0 and
// 1 of a recessive gene, 1 and 2 of Umbrous or Banded) must never change a
// description, in either language.
TEST(PhenotypeGroups, CountsThatShowAlikeDescribeAlike) {
  std::mt19937 random(99);
  for (Language language : {Language::English, Language::Russian}) {
    setCurrentLanguage(language);
    for (int round = 0; round < 20000; ++round) {
      Genotype g;
      for (GeneIndex i = 0; i < GeneCount; ++i) {
        g.alleleCount[i] = static_cast<int>(random() % 3);
      }
      setSex(g, static_cast<Sex>(random() % 3));
      const GeneIndex i = static_cast<GeneIndex>(random() % 9);  // e .. ba
      Genotype swapped = g;
      if (isRecessive(i)) {
        if (g.alleleCount[i] == 2) {
          continue;
        }
        swapped.alleleCount[i] = 1 - g.alleleCount[i];
      } else {
        if (g.alleleCount[i] == 0) {
          continue;
        }
        swapped.alleleCount[i] = 3 - g.alleleCount[i];
      }
      EXPECT_EQ(describePhenotype(g, true, true), describePhenotype(swapped, true, true));
    }
  }
  setCurrentLanguage(Language::English);
}

TEST(PhenotypeGroups, ClassesKeepExpansionOrderAndChances) {
  Genotype male;
  Genotype female;
  male.alleleCount[gene::e] = 1;  // Ee x Ee: Ee, ee, EE
  female.alleleCount[gene::e] = 1;
  male.alleleCount[gene::sa] = 1;  // Sasa x Sasa: Sasa, SaSa, sasa, all told apart
  female.alleleCount[gene::sa] = 1;
  const GroupedLitter litter = groupLitter(male, female);

  const auto& cream = litter.classes[gene::e];
  ASSERT_EQ(cream.size(), 2u);
  ASSERT_EQ(cream[0].options.size(), 2u);  // not shown: Ee then EE
  EXPECT_EQ(cream[0].options[0].token, "Ee");
  EXPECT_EQ(cream[0].options[0].halvings, 1);
  EXPECT_EQ(cream[0].options[1].token, "");
  EXPECT_EQ(cream[0].options[1].halvings, 2);
  EXPECT_EQ(cream[0].quarters, 3u);
  ASSERT_EQ(cream[1].options.size(), 1u);  // shown: ee
  EXPECT_EQ(cream[1].options[0].token, "ee");
  EXPECT_EQ(cream[1].quarters, 1u);
  EXPECT_EQ(litter.classes[gene::sa].size(), 3u);
  EXPECT_EQ(litter.classes[gene::dg].size(), 1u);
  EXPECT_EQ(litter.wildText, "--");

  // Combinations count with gene 0 most significant.
  const std::array<int, GeneCount> last = classesOf(litter, 5);
  EXPECT_EQ(last[gene::e], 1);
  EXPECT_EQ(last[gene::sa], 2);

  std::uint64_t total = 0;
  for (const PhenotypeGroup& group : litter.groups) {
    total += group.chance;
  }
  EXPECT_EQ(total, std::uint64_t{1} << 28);
  EXPECT_EQ(litter.groups.size(), 6u);
}

}  // namespace
}  // namespace quorvale
