#include "litter/fraction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "testing/fraction_text.h"
#include "text/utf8.h"

namespace quorvale {
namespace {

TEST(FractionText, SmallestPowerOfTwoDenominator) {
  const std::pair<double, std::u32string> cases[] = {
      {1.0, U"1/1"},
      {0.5, U"1/2"},
      {0.75, U"3/4"},
      {std::ldexp(1.0, -28), U"1/268435456"},
      {std::ldexp(3.0, -28), U"3/268435456"},
      {0.0, U"0/1"},
      {1.0 / 3, U"178956970/536870912"},
      {0.1, U"53687091/536870912"},
      {std::ldexp(1.0, -29), U"1/536870912"},
      {std::ldexp(1.0, -30), U"0/536870912"},
  };
  for (const auto& [p, text] : cases) {
    EXPECT_EQ(fractionText(p), text) << p;
  }
}

TEST(AppendChanceText, AgreesWithFractionText) {
  std::vector<std::uint64_t> numerators = {0,         1, 2, 3, 4, 6, kChanceOne / 2, kChanceOne - 1,
                                           kChanceOne};
  std::mt19937 random(7);
  for (int i = 0; i < 2000; ++i) {
    numerators.push_back(random() % (kChanceOne + 1));
    numerators.push_back(std::uint64_t{1} << (random() % 29));
  }
  for (std::uint64_t n : numerators) {
    std::string ascii;
    appendChanceText(n, ascii);
    EXPECT_EQ(fromUtf8(ascii), fractionText(std::ldexp(static_cast<double>(n), -kChanceBits))) << n;
  }
}

}  // namespace
}  // namespace quorvale
