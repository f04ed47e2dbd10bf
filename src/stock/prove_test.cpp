#include "stock/prove.h"

#include <gtest/gtest.h>

#include <string>

#include "genetics/genotype_text.h"
#include "stock/stock_file.h"
#include "text/decimal.h"

namespace quorvale {
namespace {

std::string text(const Ratio& r) {
  const FractionDigits d = lowestTermsDigits(r);
  return d.numerator + "/" + d.denominator;
}

Stock stockOf(const std::string& csv) {
  StockReading reading = readStockFile(csv);
  EXPECT_TRUE(reading.faults.empty());
  return reading.stock;
}

std::size_t named(const Stock& stock, const std::u32string& name) {
  for (std::size_t a = 0; a < stock.animals.size(); ++a) {
    if (stock.animals[a].name == name) {
      return a;
    }
  }
  ADD_FAILURE();
  return 0;
}

ProveWork prove(const Stock& stock, const std::u32string& name, GeneIndex g) {
  ProveOptions options;
  options.confidences = defaultConfidences();
  options.genes = static_cast<std::uint16_t>(1u << g);
  return proveAnimal(stock, named(stock, name), options);
}

// The young for 95, 99 and 99.9 %, "-" for none.
std::string young(const TestMate& mate) {
  std::string out;
  for (const MateFigures& f : mate.figures) {
    out += (out.empty() ? "" : " ") + (f.young ? std::to_string(*f.young) : std::string("-"));
  }
  return out;
}

// A mate showing the recessive reveals half the young of a carrier; a known
// carrier a quarter. The numbers are those where (1 - r)^n first reaches
// 5 %, 1 % and 0.1 %: for r = 1/4, 20 * 3^n <= 4^n first at 11, and 17 and
// 25 (not 16 and 24: (3/4)^16 is 1.0023 %).
TEST(ProveTest, TestMatingTable) {
  const Stock stock = stockOf(
      "name,sex,coat,genes\n"
      "Lulu,f,SH Golden,Ee:2/3\n"
      "Red,m,SH BE Cream,\n"
      "Max,m,SH Golden,Ee\n");
  const ProveWork work = prove(stock, U"Lulu", gene::e);
  ASSERT_EQ(work.fault, ProveFault::None);
  ASSERT_EQ(work.states.size(), 1u);
  const TestedState& state = work.states[0];
  EXPECT_EQ(text(state.chance), "2/3");
  ASSERT_EQ(state.mates.size(), 3u);
  EXPECT_FALSE(state.mates[0].animal.has_value());
  EXPECT_EQ(genotypeText(state.mates[0].genotype), U"ee");
  EXPECT_EQ(stock.animals[*state.mates[1].animal].name, U"Red");
  EXPECT_EQ(text(state.mates[1].reveal), "1/2");
  EXPECT_EQ(young(state.mates[1]), "5 7 10");
  EXPECT_EQ(stock.animals[*state.mates[2].animal].name, U"Max");
  EXPECT_EQ(text(state.mates[2].reveal), "1/4");
  EXPECT_EQ(young(state.mates[2]), "11 17 25");
  EXPECT_EQ(*state.mates[2].figures[0].litters, 2u);
  // After 11 young by Max that all fail: 2/3 (3/4)^11 against 1/3.
  EXPECT_EQ(text(*state.mates[2].figures[0].after), "177147/2274299");
}

// A sire tested on his daughters by a dam without Cream: a daughter carries
// only if he does, with 1/2, so her young depend on each other and one
// daughter never reaches 95 %; each misses a carrier sire in a litter of 8
// with 1/2 + 1/2 (3/4)^8, and six daughters do, five leaving 5.04 %.
TEST(ProveTest, DaughterTest) {
  const Stock stock = stockOf(
      "name,sex,coat,genes,father,mother\n"
      "Sire,m,SH Golden,,,\n"
      "Dam,f,SH Golden,EE,,\n"
      "Daughter,f,SH Golden,,Sire,Dam\n");
  const ProveWork work = prove(stock, U"Sire", gene::e);
  ASSERT_EQ(work.fault, ProveFault::None);
  ASSERT_EQ(work.states.size(), 1u);
  const TestedState& state = work.states[0];
  EXPECT_TRUE(state.possible);
  ASSERT_EQ(state.mates.size(), 2u);
  const TestMate& daughter = state.mates[1];
  EXPECT_EQ(text(daughter.reveal), "1/8");
  EXPECT_EQ(young(daughter), "- - -");
  EXPECT_EQ(*daughter.figures[0].mates, 6u);
  EXPECT_EQ(percentBeside(*daughter.figures[0].fewer_miss, ratio(1, 20), Language::English),
            U"5.04 %");
}

// Masking counts: testing a DE White for Cream, a Cream mate that carries
// DE White whites out half the young and reveals half as much as one that
// does not. Eight Golden young by a Cream mate make a founder's Cream 256
// times less likely than its coat alone.
TEST(ProveTest, MaskingAndWhatTheRecordsDid) {
  const Stock stock = stockOf(
      "name,sex,coat,genes,father,mother,count\n"
      "Snowy,f,SH DE White,,,,\n"
      "Goldie,f,SH Golden,,,,\n"
      "Pale,m,SH BE Cream,Cdcd,,,\n"
      "Red,m,SH BE Cream,,,,\n"
      ",,SH Golden,,Red,Goldie,8\n");
  const ProveWork white = prove(stock, U"Snowy", gene::e);
  ASSERT_EQ(white.fault, ProveFault::None);
  ASSERT_FALSE(white.states.empty());
  const TestedState& carries = white.states[0];
  ASSERT_EQ(carries.mates.size(), 3u);
  EXPECT_EQ(stock.animals[*carries.mates[1].animal].name, U"Red");
  EXPECT_EQ(text(carries.mates[1].reveal), "1/2");
  EXPECT_EQ(stock.animals[*carries.mates[2].animal].name, U"Pale");
  EXPECT_EQ(text(carries.mates[2].reveal), "1/4");

  const ProveWork golden = prove(stock, U"Goldie", gene::e);
  ASSERT_EQ(golden.states.size(), 1u);
  ASSERT_TRUE(golden.states[0].odds_factor.has_value());
  EXPECT_EQ(text(*golden.states[0].odds_factor), "1/256");
}

// A female whose white coat may hide Yellow: a wild male gives young that
// are not white, and half her sons are Yellow, half her daughters
// Tortoiseshell.
TEST(ProveTest, YellowInAWhiteFemale) {
  const Stock stock = stockOf(
      "name,sex,coat,genes\n"
      "Snow,f,SH DE White,Toto:1/2\n"
      "Ash,m,SH Golden,\n");
  const ProveWork work = prove(stock, U"Snow", gene::to);
  ASSERT_EQ(work.fault, ProveFault::None);
  ASSERT_FALSE(work.states.empty());
  const TestedState& state = work.states[0];
  EXPECT_EQ(state.state, yellow::kFemaleOne);
  ASSERT_GE(state.mates.size(), 2u);
  EXPECT_EQ(stock.animals[*state.mates[1].animal].name, U"Ash");
  EXPECT_EQ(text(state.mates[1].reveal), "1/2");
}

TEST(ProveTest, ConfidenceAsTyped) {
  EXPECT_EQ(readConfidence(U"99,90")->label, "99.9");
  EXPECT_EQ(text(readConfidence(U"95")->miss), "1/20");
  for (const std::u32string bad : {U"", U"100", U"0", U"1e2", U"-5", U"9.5.1", U"50.1234567"}) {
    EXPECT_FALSE(readConfidence(bad).has_value());
  }
}

}  // namespace
}  // namespace quorvale
