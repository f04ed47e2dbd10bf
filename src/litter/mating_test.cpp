#include "litter/mating.h"

#include <gtest/gtest.h>

#include <vector>

#include "testing/test_support.h"

namespace quorvale {
namespace {

using testing::animal;

constexpr Sex M = Sex::Male;
constexpr Sex F = Sex::Female;
constexpr GeneIndex e = gene::e;
constexpr GeneIndex dg = gene::dg;
constexpr GeneIndex to = gene::to;

TEST(MatingWarnings, ChecksInOrder) {
  using W = std::vector<MessageId>;
  constexpr GeneIndex sa = gene::sa, lg = gene::lg, sg = gene::sg, ds = gene::ds;
  struct Case {
    const char* name;
    std::vector<testing::Alleles> male, female;
    W warnings;
  };
  const Case cases[] = {
      {"nothing", {{e, 1}, {gene::u, 1}}, {{e, 2}}, {}},
      {"Satin in one parent only", {{sa, 2}}, {}, {}},
      {"Sasa x Sasa", {{sa, 1}}, {{sa, 1}}, {MessageId::SatinAndSatin}},
      {"ToY x Ee", {{to, 2}}, {{e, 1}}, {}},
      {"EeToY x Ee", {{to, 2}, {e, 1}}, {{e, 1}}, {MessageId::MixingYellowWithCream}},
      {"ToY x ee", {{to, 2}}, {{e, 2}}, {MessageId::MixingYellowWithCream}},
      {"ee x Toto", {{e, 2}}, {{to, 1}}, {MessageId::MixingYellowWithCream}},
      {"Ee x EeToto", {{e, 1}}, {{e, 1}, {to, 1}}, {MessageId::MixingYellowWithCream}},
      {"Lglg x Lglg", {{lg, 1}}, {{lg, 1}}, {MessageId::LightGreyAndLightGrey}},
      {"Dsds x DsDs", {{ds, 1}}, {{ds, 2}}, {MessageId::DominantSpotAndDominantSpot}},
      {"LglgDgdg x SgsgDgdg",
       {{lg, 1}, {dg, 1}},
       {{sg, 1}, {dg, 1}},
       {MessageId::MixingDifferentGreys, MessageId::MixingDifferentGreys,
        MessageId::MixingDifferentGreys}},
      {"Lglg x dgdg", {{lg, 1}}, {{dg, 2}}, {MessageId::MixingDifferentGreys}},
      {"Lglg x Dgdg", {{lg, 1}}, {{dg, 1}}, {}},
      {"Sgsg x Lglg", {{sg, 1}}, {{lg, 1}}, {MessageId::MixingDifferentGreys}},
      {"dgdg x SgSg", {{dg, 2}}, {{sg, 2}}, {MessageId::MixingDifferentGreys}},
      {"everything",
       {{sa, 1}, {to, 2}, {e, 2}, {lg, 1}, {ds, 1}, {dg, 2}, {sg, 1}},
       {{sa, 2}, {lg, 2}, {ds, 1}, {e, 1}, {dg, 1}},
       {MessageId::SatinAndSatin, MessageId::MixingYellowWithCream,
        MessageId::LightGreyAndLightGrey, MessageId::DominantSpotAndDominantSpot,
        MessageId::MixingDifferentGreys, MessageId::MixingDifferentGreys,
        MessageId::MixingDifferentGreys}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Genotype male = animal(c.male, M);
    Genotype female = animal(c.female, F);
    deriveExpressed(male);
    deriveExpressed(female);
    W warnings;
    EXPECT_EQ(matingWarnings(male, female, warnings), c.warnings.empty());
    EXPECT_EQ(warnings, c.warnings);
  }
}

}  // namespace
}  // namespace quorvale
