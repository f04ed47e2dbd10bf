#include "testing/cross.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <vector>

#include "testing/test_support.h"

namespace quorvale {
namespace {

using Counts = std::vector<testing::Alleles>;
using testing::animal;

// One expected entry: the counts that are not 0, the sex and the chance.
struct Entry {
  Counts counts;
  Sex sex;
  double probability;
};

void expectLitter(const Litter& litter, const std::vector<Entry>& expected) {
  ASSERT_EQ(litter.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(litter[i].genotype, animal(expected[i].counts, expected[i].sex)) << "entry " << i;
    EXPECT_EQ(litter[i].probability, expected[i].probability) << "entry " << i;
  }
}

constexpr Sex M = Sex::Male;
constexpr Sex F = Sex::Female;
constexpr Sex N = Sex::Unspecified;
constexpr GeneIndex e = gene::e;
constexpr GeneIndex dg = gene::dg;
constexpr GeneIndex to = gene::to;

TEST(Cross, ExpansionOrderAndChances) {
  struct Case {
    const char* name;
    Counts male, female;
    std::vector<Entry> litter;
  };
  const Case cases[] = {
      {"wild x wild", {}, {}, {{{}, N, 1.0}}},
      {"Ee x Ee", {{e, 1}}, {{e, 1}}, {{{{e, 1}}, N, 0.5}, {{{e, 2}}, N, 0.25}, {{}, N, 0.25}}},
      {"Ee x ee", {{e, 1}}, {{e, 2}}, {{{{e, 1}}, N, 0.5}, {{{e, 2}}, N, 0.5}}},
      {"ee x Ee", {{e, 2}}, {{e, 1}}, {{{{e, 1}}, N, 0.5}, {{{e, 2}}, N, 0.5}}},
      {"Ee x EE", {{e, 1}}, {}, {{{{e, 1}}, N, 0.5}, {{}, N, 0.5}}},
      {"ee x EE", {{e, 2}}, {}, {{{{e, 1}}, N, 1.0}}},
      {"ee x ee", {{e, 2}}, {{e, 2}}, {{{{e, 2}}, N, 1.0}}},
      {"EeDgdg x EeDgdg",
       {{e, 1}, {dg, 1}},
       {{e, 1}, {dg, 1}},
       {{{{e, 1}, {dg, 1}}, N, 1.0 / 4},
        {{{e, 1}, {dg, 2}}, N, 1.0 / 8},
        {{{e, 1}}, N, 1.0 / 8},
        {{{e, 2}, {dg, 1}}, N, 1.0 / 8},
        {{{e, 2}, {dg, 2}}, N, 1.0 / 16},
        {{{e, 2}}, N, 1.0 / 16},
        {{{dg, 1}}, N, 1.0 / 8},
        {{{dg, 2}}, N, 1.0 / 16},
        {{}, N, 1.0 / 16}}},
      {"ToY x toto", {{to, 2}}, {}, {{{{to, 1}}, F, 0.5}, {{}, M, 0.5}}},
      {"toY x ToTo", {}, {{to, 2}}, {{{{to, 1}}, F, 0.5}, {{{to, 2}}, M, 0.5}}},
      {"ToY x ToTo", {{to, 2}}, {{to, 2}}, {{{{to, 2}}, F, 0.5}, {{{to, 2}}, M, 0.5}}},
      {"toY x Toto", {}, {{to, 1}}, {{{{to, 2}}, M, 0.25}, {{}, N, 0.5}, {{{to, 1}}, F, 0.25}}},
      {"ToY x Toto",
       {{to, 2}},
       {{to, 1}},
       {{{{to, 2}}, M, 0.25}, {{}, M, 0.25}, {{{to, 1}}, F, 0.25}, {{{to, 2}}, F, 0.25}}},
      // Yellow is expanded last, so it turns fastest.
      {"EeToY x EEtoto",
       {{e, 1}, {to, 2}},
       {},
       {{{{e, 1}, {to, 1}}, F, 0.25}, {{{e, 1}}, M, 0.25}, {{{to, 1}}, F, 0.25}, {{}, M, 0.25}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The parents' own Sex codes are not read: the roles come from the
    // argument positions.
    expectLitter(cross(animal(c.male, N), animal(c.female, N)), c.litter);
    expectLitter(cross(animal(c.male, M), animal(c.female, F)), c.litter);
  }
}

TEST(Cross, AutosomalGenesGiveTheSameLitterWithParentsSwapped) {
  const Genotype a = animal({{gene::p, 1}, {gene::u, 2}, {gene::ba, 1}});
  const Genotype b = animal({{gene::p, 2}, {gene::u, 1}, {gene::l, 1}});
  const Litter ab = cross(a, b);
  const Litter ba = cross(b, a);
  ASSERT_EQ(ab.size(), ba.size());
  for (std::size_t i = 0; i < ab.size(); ++i) {
    EXPECT_EQ(ab[i].genotype, ba[i].genotype);
    EXPECT_EQ(ab[i].probability, ba[i].probability);
  }
}

// A random animal as the parser or the task generator can make one.
Genotype randomAnimal(std::mt19937& random, Sex sex, int mutant_in) {
  Genotype g;
  for (GeneIndex i = 0; i < gene::to; ++i) {
    if (static_cast<int>(random() % 14) < mutant_in) {
      g.alleleCount[i] = static_cast<int>(random() % 3);
    }
  }
  const int yellow = static_cast<int>(random() % 3);
  g.alleleCount[gene::to] = sex == Sex::Male ? (yellow == 1 ? 0 : yellow) : yellow;
  setSex(g, sex);
  return g;
}

std::size_t childCount(int t, int u) {
  if (t == u && t != 1) {
    return 1;
  }
  if (t + u == 2 && t != 1) {
    return 1;
  }
  return t == 1 && u == 1 ? 3 : 2;
}

TEST(Cross, RandomLittersAreCompleteExactAndDistinct) {
  std::mt19937 random(20261208);
  for (int round = 0; round < 300; ++round) {
    const Genotype male = randomAnimal(random, Sex::Male, 6);
    const Genotype female = randomAnimal(random, Sex::Female, 6);
    const Litter litter = cross(male, female);

    std::size_t expected_size = 1;
    for (GeneIndex i = 0; i < gene::to; ++i) {
      expected_size *= childCount(male.alleleCount[i], female.alleleCount[i]);
    }
    const int m_to = male.alleleCount[gene::to];
    const int f_to = female.alleleCount[gene::to];
    expected_size *= (m_to == 0 && f_to == 0) ? 1 : (f_to == 1 ? (m_to == 0 ? 3 : 4) : 2);
    ASSERT_EQ(litter.size(), expected_size);

    double sum = 0;
    std::set<std::array<std::int32_t, 15>> seen;
    for (const Offspring& o : litter) {
      sum += o.probability;
      // A chance is a whole number of 2^-28ths.
      const double scaled = std::ldexp(o.probability, 28);
      EXPECT_EQ(scaled, std::floor(scaled));
      EXPECT_GT(o.probability, 0.0);
      for (int i = 0; i < 15; ++i) {
        EXPECT_GE(o.genotype.alleleCount[i], 0);
        EXPECT_LE(o.genotype.alleleCount[i], 2);
      }
      if (sexOf(o.genotype) == Sex::Male) {
        EXPECT_NE(o.genotype.alleleCount[gene::to], 1);
      }
      for (bool flag : o.genotype.expressed) {
        EXPECT_FALSE(flag);
      }
      EXPECT_TRUE(seen.insert(o.genotype.alleleCount).second);
    }
    EXPECT_EQ(sum, 1.0);
  }
}

}  // namespace
}  // namespace quorvale
