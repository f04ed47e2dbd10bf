#include "litter/analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "phenotype/animal.h"
#include "phenotype/colour_rules.h"
#include "phenotype/description.h"
#include "testing/cross.h"
#include "testing/test_support.h"
#include "text/exact.h"

namespace quorvale {
namespace {

// The figures as a plain count gives them: every offspring of the cross
// described on its own, its carrier line decided on its own.
struct PlainGroup {
  double chance = 0;
  std::map<std::pair<GeneIndex, bool>, double> carriers;  // (gene, hidden)
};

Genotype randomParent(std::mt19937& random, Sex sex) {
  Genotype g;
  for (GeneIndex i = 0; i < gene::to; ++i) {
    if (random() % 3 == 0) {
      g.alleleCount[i] = static_cast<int>(random() % 3);
    }
  }
  const int yellow = static_cast<int>(random() % 3);
  g.alleleCount[gene::to] = sex == Sex::Male && yellow == 1 ? 2 : yellow;
  setSex(g, sex);
  return g;
}

TEST(LitterAnalysis, AgreesWithAPlainCountOverTheCross) {
  std::mt19937 random(1917);
  int compared = 0;
  while (compared < 60) {
    const Genotype male = randomParent(random, Sex::Male);
    const Genotype female = randomParent(random, Sex::Female);
    const Litter plain = cross(male, female);
    if (plain.size() > 4000) {
      continue;
    }
    ++compared;
    std::map<std::u32string, PlainGroup> groups;
    double lethal = 0;
    for (const Offspring& o : plain) {
      const AnimalLines lines = describeAnimal(o.genotype, true, true, Language::English);
      PlainGroup& group = groups[lines.description];
      group.chance += o.probability;
      for (GeneIndex g = 0; g < GeneCount; ++g) {
        if ((lines.carried.hidden >> g & 1u) != 0) {
          group.carriers[{g, true}] += o.probability;
        }
        if ((lines.carried.carried >> g & 1u) != 0) {
          group.carriers[{g, false}] += o.probability;
        }
      }
      Genotype derived = o.genotype;
      deriveExpressed(derived);
      if (classifyCoat(derived).kind == CoatKind::Lethal) {
        lethal += o.probability;
      }
    }

    const GroupedLitter litter = groupLitter(male, female, Language::English);
    const LitterFigures figures = analyseLitter(litter, true, true);
    EXPECT_EQ(static_cast<double>(figures.lethal), std::ldexp(lethal, kChanceBits));
    ASSERT_EQ(litter.groups.size(), groups.size());
    for (std::size_t i = 0; i < litter.groups.size(); ++i) {
      const PhenotypeGroup& group = litter.groups[i];
      const PlainGroup& expected = groups[group.description];
      SCOPED_TRACE(testing::utf8(group.description));
      ASSERT_EQ(figures.carriers[i].size(), expected.carriers.size());
      for (const CarrierShare& share : figures.carriers[i]) {
        EXPECT_EQ(static_cast<double>(share.chance),
                  std::ldexp(expected.carriers.at({share.gene, share.hidden}), kChanceBits));
      }
      // The chance of at least one in a litter of 8 born young, and how many.
      const double born = 1 - lethal;
      if (group.coat.kind != CoatKind::Lethal) {
        const double q = expected.chance / born;
        const auto at_least_one = static_cast<std::uint64_t>(
            roundedScaled(atLeastOne(group.chance, bornChance(figures), 8), 6));
        EXPECT_NEAR(static_cast<double>(at_least_one) / 1e6, 1 - std::pow(1 - q, 8), 1e-6);
        EXPECT_NEAR(static_cast<double>(static_cast<std::uint64_t>(
                        roundedScaled(expectedNumber(group.chance, bornChance(figures), 8), 6))) /
                        1e6,
                    8 * q, 1e-6);
      }
    }
    // By share, largest first.
    for (std::size_t i = 1; i < figures.order.size(); ++i) {
      EXPECT_GE(litter.groups[figures.order[i - 1]].chance, litter.groups[figures.order[i]].chance);
    }
  }
}

}  // namespace
}  // namespace quorvale
