#include "litter/phenotype_groups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "litter/fraction.h"

namespace quorvale {
namespace {

TEST(PhenotypeGroups, ClassesKeepExpansionOrderAndChances) {
  Genotype male;
  Genotype female;
  male.alleleCount[gene::e] = 1;  // Ee x Ee: Ee, ee, EE
  female.alleleCount[gene::e] = 1;
  male.alleleCount[gene::sa] = 1;  // Sasa x Sasa: Sasa, SaSa, sasa, all told apart
  female.alleleCount[gene::sa] = 1;
  const GroupedLitter litter = groupLitter(male, female, Language::English);

  const auto& cream = litter.expansion.classes[gene::e];
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
  EXPECT_EQ(litter.expansion.classes[gene::sa].size(), 3u);
  EXPECT_EQ(litter.expansion.classes[gene::dg].size(), 1u);

  // Combinations count with gene 0 most significant: the last one takes
  // the last class of every gene.
  std::uint32_t highest = 0;
  for (const PhenotypeGroup& group : litter.groups) {
    highest = std::max(highest, group.combinations.back());
  }
  EXPECT_EQ(classOf(highest, gene::e), 1);
  EXPECT_EQ(classOf(highest, gene::sa), 2);
  // ee and sasa, a sixteenth: the representative is the first child of each.
  EXPECT_EQ(chanceOf(litter.expansion, highest), kChanceOne / 16);
  const Genotype last = representativeOf(litter.expansion, highest);
  EXPECT_EQ(last.alleleCount[gene::e], 2);
  EXPECT_EQ(last.alleleCount[gene::sa], 0);

  std::uint64_t total = 0;
  for (const PhenotypeGroup& group : litter.groups) {
    total += group.chance;
  }
  EXPECT_EQ(total, kChanceOne);
  EXPECT_EQ(litter.groups.size(), 6u);
}

}  // namespace
}  // namespace quorvale
