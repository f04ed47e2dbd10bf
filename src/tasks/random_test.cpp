#include "tasks/random.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorvale {
namespace {

std::vector<int> nextValues(Random& rng, int n) {
  std::vector<int> values(static_cast<std::size_t>(n));
  for (int& value : values) {
    value = rng.next();
  }
  return values;
}

// The classic C library sequences, which tasks have to reproduce exactly on
// every platform.
TEST(Random, ReproducesTheClassicSequences) {
  struct Case {
    std::uint32_t seed;
    std::vector<int> values;
  };
  const Case cases[] = {
      {1, {41, 18467, 6334, 26500, 19169}},
      {0, {38, 7719, 21238}},
      // Task number -1 seeds with 2^32 - 1; the state wraps modulo 2^32.
      {0xFFFFFFFFu, {35, 29739, 3374}},
  };
  for (const Case& c : cases) {
    Random rng(c.seed);
    EXPECT_EQ(nextValues(rng, static_cast<int>(c.values.size())), c.values) << c.seed;
  }
}

TEST(Random, SeedStartsTheSequenceAgain) {
  Random rng(12);
  const std::vector<int> first = nextValues(rng, 4);
  nextValues(rng, 10);
  rng.seed(12);
  EXPECT_EQ(nextValues(rng, 4), first);
}

}  // namespace
}  // namespace quorvale
