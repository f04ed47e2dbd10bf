#include "stock/coat_boxes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <map>

namespace quorvale {
namespace {

// Every genotype of an animal that was born is in exactly one box of its
// own line, and the boxes of all lines together hold no more genotypes than
// there are: the boxes of a line are its genotypes exactly.
TEST(CoatBoxes, EveryLineIsItsGenotypesExactly) {
  const std::vector<DescriptionKey>& lines = everyColourLine();
  std::map<std::uint64_t, std::vector<GeneBox>> boxes;
  for (const DescriptionKey key : lines) {
    boxes[key.bits] = coatBoxes(std::span(&key, 1));
    ASSERT_FALSE(boxes[key.bits].empty());
  }
  EXPECT_EQ(lines.size(), 1867U);
  // The unnamed colour has the most boxes.
  std::size_t most = 0;
  for (const auto& [bits, of_line] : boxes) {
    most = std::max(most, of_line.size());
  }
  EXPECT_EQ(most, 18U);
  std::uint64_t in_boxes = 0;
  for (const auto& [bits, of_line] : boxes) {
    for (const GeneBox& box : of_line) {
      std::uint64_t size = 1;
      for (const StateSet set : box) {
        size *= static_cast<std::uint64_t>(std::popcount(static_cast<unsigned>(set)));
      }
      in_boxes += size;
    }
  }

  std::array<int, GeneCount> state{};
  std::uint64_t genotypes = 0;
  for (;;) {
    Genotype g;
    for (GeneIndex i = 0; i < GeneCount; ++i) {
      g.alleleCount[static_cast<std::size_t>(i)] =
          countOfState(i, state[static_cast<std::size_t>(i)]);
      if (isSexLinked(i)) {
        setSex(g, sexOfState(i, state[static_cast<std::size_t>(i)]));
      }
    }
    const DescriptionKey key = decideDescription(g, false, false);
    const auto& of_line = boxes.at(key.bits);
    const auto holds = [&](const GeneBox& box) {
      for (GeneIndex i = 0; i < GeneCount; ++i) {
        if ((box[static_cast<std::size_t>(i)] >> state[static_cast<std::size_t>(i)] & 1u) == 0) {
          return false;
        }
      }
      return true;
    };
    ASSERT_EQ(std::count_if(of_line.begin(), of_line.end(), holds), 1) << genotypes;
    ++genotypes;
    // The next genotype, Yellow turning fastest; no two Light Grey or Dominant
    // Spot alleles, which are never born.
    GeneIndex i = GeneCount - 1;
    for (; i >= 0; --i) {
      const int states = (bornStates(i) >> 2 & 1u) == 0 ? 2 : stateCount(i);
      if (++state[static_cast<std::size_t>(i)] < states) {
        break;
      }
      state[static_cast<std::size_t>(i)] = 0;
    }
    if (i < 0) {
      break;
    }
  }
  EXPECT_EQ(genotypes, std::uint64_t{3542940});  // 3^11 x 2^2 x 5
  EXPECT_EQ(in_boxes, genotypes);
}

}  // namespace
}  // namespace quorvale
