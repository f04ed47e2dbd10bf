#include "tasks/task_number.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvale {
namespace {

struct NumberCase {
  std::u32string word;
  std::int32_t number;
};

TEST(TaskNumberTest, ReadsTheLeadingNumberLikeAtoi) {
  const NumberCase cases[] = {
      {U"12", 12},
      {U"12abc", 12},
      {U"-3", -3},
      {U"+7", 7},
      {U"007", 7},
      {U"abc", 0},
      {U"0", 0},
      {U"+0", 0},
      {U"-0", 0},
      {U"-", 0},
      {U"+", 0},
      {U"+-5", 0},
      {U"--5", 0},
      {U"x12", 0},
      {U"\uFF11\uFF12", 0},  // full-width digits are not digits
      {U"2147483647", 2147483647},
      {U"2147483648", 2147483647},
      {U"-2147483648", -2147483647 - 1},
      {U"-2147483649", -2147483647 - 1},
      {U"99999999999999999999999999", 2147483647},
      {U"-99999999999999999999999999x", -2147483647 - 1},
      {U"00000000000000000000000000042", 42},
  };
  for (const NumberCase& c : cases) {
    EXPECT_EQ(taskNumberFromWord(c.word), c.number) << "word of " << c.word.size() << " chars";
  }
}

TEST(TaskNumberTest, ClampsAMillionDigitsInOnePass) {
  EXPECT_EQ(taskNumberFromWord(std::u32string(1'000'000, U'9')), 2147483647);
  EXPECT_EQ(taskNumberFromWord(U"-" + std::u32string(1'000'000, U'9')), -2147483647 - 1);
}

// The command line's reading: a sign and digits only, converted as above.
TEST(TaskNumberTest, StrictNumbers) {
  EXPECT_EQ(strictTaskNumber(U"-5"), -5);
  EXPECT_EQ(strictTaskNumber(U"+007"), 7);
  EXPECT_EQ(strictTaskNumber(U"99999999999"), 2147483647);
  for (const std::u32string_view word :
       {U"", U"0", U"-0", U"+", U"abc", U"12abc", U"1 2", U"--5"}) {
    EXPECT_EQ(strictTaskNumber(word), std::nullopt) << word.size();
  }
}

TEST(TaskNumberTest, SeedIsTheTwosComplementBits) {
  EXPECT_EQ(taskSeed(12), 12u);
  EXPECT_EQ(taskSeed(-1), 4294967295u);
  EXPECT_EQ(taskSeed(-2147483647 - 1), 2147483648u);
}

}  // namespace
}  // namespace quorvale
