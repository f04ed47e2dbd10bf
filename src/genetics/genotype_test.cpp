#include "genetics/genotype.h"

#include <gtest/gtest.h>

namespace quorvale {
namespace {

TEST(DeriveExpressed, WildRecordShowsNothingAndClearsMarker) {
  Genotype g;
  g.expressed[UnnamedMarker] = true;
  deriveExpressed(g);
  for (bool shown : g.expressed) {
    EXPECT_FALSE(shown);
  }
}

TEST(DeriveExpressed, RecessiveNeedsTwoCopiesDominantOne) {
  Genotype g;
  g.alleleCount[gene::e] = 1;
  g.alleleCount[gene::a] = 2;
  g.alleleCount[gene::u] = 1;
  g.alleleCount[gene::sg] = 2;
  deriveExpressed(g);
  EXPECT_FALSE(g.expressed[gene::e]);
  EXPECT_TRUE(g.expressed[gene::a]);
  EXPECT_TRUE(g.expressed[gene::u]);
  EXPECT_TRUE(g.expressed[gene::sg]);
}

TEST(DeriveExpressed, YellowShowsOnlyWithCountTwo) {
  for (auto [count, shown] : {std::pair{0, false}, {1, false}, {2, true}}) {
    Genotype g;
    g.alleleCount[gene::to] = count;
    EXPECT_EQ(deriveExpressed(g).expressed[gene::to], shown) << count;
  }
}

TEST(IsSilverCreamWhite, NeedsHomozygousSilverGreyCreamAndNoUmbrous) {
  struct Case {
    int e, sg, u;
    bool white;
  };
  for (const Case& c :
       {Case{2, 2, 0, true}, Case{2, 2, 1, false}, Case{2, 1, 0, false}, Case{1, 2, 0, false}}) {
    Genotype g;
    g.alleleCount[gene::e] = c.e;
    g.alleleCount[gene::sg] = c.sg;
    g.alleleCount[gene::u] = c.u;
    EXPECT_EQ(isSilverCreamWhite(deriveExpressed(g)), c.white) << c.e << c.sg << c.u;
  }
}

}  // namespace
}  // namespace quorvale
