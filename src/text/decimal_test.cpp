#include "text/decimal.h"

#include <gtest/gtest.h>

#include "testing/test_support.h"
#include "text/exact.h"

namespace quorvale {
namespace {

using testing::utf8;

TEST(Decimal, PercentagesRoundHalfUpAndSayWhenTheyAreTooSmallOrLarge) {
  EXPECT_EQ(utf8(percentText(ratio(7, 16), Language::English)), "43.8 %");  // 43.75
  EXPECT_EQ(utf8(percentText(ratio(7, 16), Language::Russian)), "43,8 %");
  EXPECT_EQ(utf8(percentText(ratio(1, 16), Language::English)), "6.3 %");  // 6.25
  EXPECT_EQ(utf8(percentText(ratio(1, 1), Language::English)), "100.0 %");
  EXPECT_EQ(utf8(percentText(ratio(1, 2000), Language::English)), "0.1 %");  // 0.05 exactly
  EXPECT_EQ(utf8(percentText(ratio(1, 2001), Language::English)), "< 0.1 %");
  EXPECT_EQ(utf8(percentText(ratio(1999, 2000), Language::English)), "> 99.9 %");
  EXPECT_EQ(utf8(percentText(ratio(1998, 2000), Language::Russian)), "99,9 %");
}

TEST(Decimal, NumbersOfAnySize) {
  // (3/4)^99 far below one in a million, and its complement just under 1.
  Ratio none{power(3, 99), power(4, 99)};
  const Integer some = none.denominator - none.numerator;
  EXPECT_EQ(jsonValue(none), "4.27627e-13");
  EXPECT_EQ(jsonValue({some, none.denominator}), "1");
  EXPECT_EQ(utf8(percentText({some, none.denominator}, Language::English)), "> 99.9 %");
  EXPECT_EQ(jsonValue(ratio(2, 3)), "0.666667");
  EXPECT_EQ(jsonValue(ratio(100, 4)), "25");
  EXPECT_EQ(utf8(decimalText(ratio(16, 3), 1, Language::Russian)), "5,3");
}

}  // namespace
}  // namespace quorvale
