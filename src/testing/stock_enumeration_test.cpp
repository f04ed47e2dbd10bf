#include "testing/stock_enumeration.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "phenotype/description.h"
#include "stock/gene_states.h"
#include "testing/shortcuts.h"

namespace quorvale {
namespace {

constexpr int kNone = StockAnimal::kUnknownParent;

// A record with the coat line of `genotype`, whose genes are known to be
// those of the genotype except the genes `open`, of which nothing is known.
int addRecord(Stock& stock, std::u32string_view genotype, Sex sex,
              std::initializer_list<GeneIndex> open, int father = kNone, int mother = kNone,
              int count = 1) {
  Genotype g = parseGenotype(genotype, sex);
  StockAnimal animal;
  animal.sex = sex;
  for (GeneIndex i = 0; i < GeneCount; ++i) {
    animal.known[i] = static_cast<StateSet>(1u << stateOf(i, g.alleleCount[i], sex));
  }
  for (GeneIndex i : open) {
    animal.known[i] = allStates(i);
  }
  animal.coat_line = decideDescription(g, false, false);
  animal.father = father;
  animal.mother = mother;
  animal.count = count;
  stock.animals.push_back(animal);
  return static_cast<int>(stock.animals.size()) - 1;
}

// "2/3", or "2" for a whole number.
std::string ratioText(const Ratio& r) {
  return decimalDigits(r.numerator) +
         (r.denominator == 1 ? "" : "/" + decimalDigits(r.denominator));
}

// The verdicts on every state of gene g of an animal, in state order:
// "excluded", "possible", a chance such as "2/3", "1 proved".
std::string verdicts(const StockEnumeration& enumeration, int animal, GeneIndex g) {
  if (isZero(enumeration.total)) {
    return "the records cannot be true";
  }
  std::string text;
  for (int s = 0; s < stateCount(g); ++s) {
    const StateVerdict v = verdictOf(enumeration, animal, g, s);
    text += s == 0 ? "" : ", ";
    if (v.verdict == Verdict::Excluded) {
      text += "excluded";
    } else if (v.verdict == Verdict::Possible) {
      text += "possible";
    } else {
      text += ratioText(v.chance) + (v.proved ? " proved" : "");
    }
  }
  return text;
}

// A polynomial in full, for comparisons of every term: "1/2 + 3ε^2".
std::string text(const Polynomial& p) {
  std::string text;
  for (std::size_t k = 0; k < p.coefficients.size(); ++k) {
    const Ratio& c = p.coefficients[k];
    if (c.numerator != 0) {
      text += text.empty() ? "" : " + ";
      text += ratioText(c) + (k == 0 ? "" : "ε^" + std::to_string(k));
    }
  }
  return text;
}

StockEnumeration enumerate(const Stock& stock, std::initializer_list<GeneIndex> genes) {
  return enumerateStock(stock, std::vector<GeneIndex>(genes));
}

// A Banded young of two Baba parents is BaBa with 1/3; after 7 Banded young
// by a Golden mate, with 64/65. The seven, one record, are summed per
// young; as seven records each of one they weigh the same, in every term.
TEST(StockEnumeration, BandedYoungOfTwoHeterozygotes) {
  Stock stock;
  const int father = addRecord(stock, U"Baba", Sex::Male, {});
  const int mother = addRecord(stock, U"Baba", Sex::Female, {});
  const int young = addRecord(stock, U"Baba", Sex::Male, {gene::ba}, father, mother);
  EXPECT_EQ(verdicts(enumerate(stock, {gene::ba}), young, gene::ba), "excluded, 2/3, 1/3");

  const int mate = addRecord(stock, U"--", Sex::Female, {gene::ba});
  const int seven = addRecord(stock, U"Baba", Sex::Female, {gene::ba}, young, mate, 7);
  const StockEnumeration after = enumerate(stock, {gene::ba});
  EXPECT_EQ(verdicts(after, young, gene::ba), "excluded, 1/65, 64/65");
  EXPECT_EQ(verdicts(after, mate, gene::ba), "1 proved, excluded, excluded");
  EXPECT_EQ(verdicts(after, seven, gene::ba), "excluded, 1 proved, excluded");

  stock.animals.pop_back();
  for (int i = 0; i < 7; ++i) {
    addRecord(stock, U"Baba", Sex::Female, {gene::ba}, young, mate);
  }
  const StockEnumeration separately = enumerate(stock, {gene::ba});
  EXPECT_EQ(text(separately.total), text(after.total));
  for (int s = 0; s < 3; ++s) {
    EXPECT_EQ(text(separately.weights[young][0][s]), text(after.weights[young][0][s]));
    EXPECT_EQ(text(separately.weights[seven][0][s]), text(after.weights[seven][0][s]));
  }
}

// A DE White female, whose coat hides her Yellow, daughter of a
// Tortoiseshell and an unrecorded father, carries Yellow with 1/2; after
// three sons that are not Yellow, with 1/9. DE White is enumerated too: it
// ties her coat to her mother's, who must carry it.
TEST(StockEnumeration, HiddenYellowOfADaughterOfATortoiseshell) {
  Stock stock;
  const int mother = addRecord(stock, U"CdcdToto", Sex::Female, {gene::cd, gene::to});
  const int daughter =
      addRecord(stock, U"cdcdtoto", Sex::Female, {gene::cd, gene::to}, kNone, mother);
  const StockEnumeration before = enumerate(stock, {gene::cd, gene::to});
  EXPECT_EQ(verdicts(before, daughter, gene::to), "1/2, 1/2, possible, excluded, excluded");
  EXPECT_EQ(verdicts(before, mother, gene::cd), "excluded, 1 proved, excluded");

  const int mate = addRecord(stock, U"toY", Sex::Male, {gene::cd, gene::to});
  addRecord(stock, U"CdcdtoY", Sex::Male, {gene::cd, gene::to}, mate, daughter, 3);
  const StockEnumeration after = enumerate(stock, {gene::cd, gene::to});
  EXPECT_EQ(verdicts(after, daughter, gene::to), "8/9, 1/9, excluded, excluded, excluded");
  EXPECT_EQ(verdicts(after, mate, gene::cd), "1, possible, excluded");
}

// Two Golden founders and their young: one Cream, one Golden. Returns the
// Golden one, of the given sex.
int addFamilyOfACream(Stock& stock, Sex golden_sex) {
  const int father = addRecord(stock, U"--", Sex::Male, {gene::e});
  const int mother = addRecord(stock, U"--", Sex::Female, {gene::e});
  addRecord(stock, U"ee", Sex::Female, {gene::e}, father, mother);
  return addRecord(stock, U"--", golden_sex, {gene::e}, father, mother);
}

// Two Golden founders with a Cream pup both carry Cream, proved; their
// Golden young carries it with 2/3.
TEST(StockEnumeration, GoldenParentsOfACream) {
  Stock stock;
  const int golden = addFamilyOfACream(stock, Sex::Male);
  const StockEnumeration enumeration = enumerate(stock, {gene::e});
  EXPECT_EQ(verdicts(enumeration, 0, gene::e), "excluded, 1 proved, excluded");
  EXPECT_EQ(verdicts(enumeration, 1, gene::e), "excluded, 1 proved, excluded");
  EXPECT_EQ(verdicts(enumeration, golden, gene::e), "1/3, 2/3, excluded");
}

// A Golden sister of a Cream (2/3) after a litter of 8 Golden young by a
// Golden brother of another Cream (2/3): 39329/88481. The young share one
// uncertain father; taken as independent they would give less.
TEST(StockEnumeration, GoldenSiblingsOfCreamsAfterALitterOfGoldenYoung) {
  Stock stock;
  const int sister = addFamilyOfACream(stock, Sex::Female);
  const int brother = addFamilyOfACream(stock, Sex::Male);
  addRecord(stock, U"--", Sex::Female, {gene::e}, brother, sister, 8);
  const StockEnumeration enumeration = enumerate(stock, {gene::e});
  EXPECT_EQ(verdicts(enumeration, sister, gene::e), "49152/88481, 39329/88481, excluded");
  EXPECT_EQ(verdicts(enumeration, brother, gene::e), "49152/88481, 39329/88481, excluded");
}

// A Black founder with eight Golden young by a Golden mate is taken not to
// carry Cream, which stays possible for him: records never make it a
// chance. The young's coat length is not recorded.
TEST(StockEnumeration, BlackFounderWithGoldenYoung) {
  Stock stock;
  const int black = addRecord(stock, U"aa", Sex::Male, {gene::e});
  const int mate = addRecord(stock, U"--", Sex::Female, {gene::e});
  const int young = addRecord(stock, U"Aall", Sex::Female, {gene::e}, black, mate, 8);
  stock.animals[young].coat_line = withoutCoatLength(*stock.animals[young].coat_line);
  const StockEnumeration enumeration = enumerate(stock, {gene::e});
  EXPECT_EQ(verdicts(enumeration, black, gene::e), "1, possible, excluded");
  EXPECT_EQ(verdicts(enumeration, young, gene::e), "1, possible, excluded");
}

// Two Light Grey alleles are lethal, so a young's chance is taken among the
// young that are born: two Light Grey young of a Lglg father weigh (2/3)^2
// for a Lglg mother and (1/2)^2 for an lglg one. Her coat is not recorded;
// she is Lglg with a stated chance of 1/2.
TEST(StockEnumeration, LethalYoungAreNeverBorn) {
  Stock stock;
  const int father = addRecord(stock, U"Lglg", Sex::Male, {});
  const int mother = addRecord(stock, U"--", Sex::Female, {gene::lg});
  stock.animals[mother].coat_line.reset();
  stock.animals[mother].priors[gene::lg] = GenePrior{1, ratio(1, 2), 0};
  const int young = addRecord(stock, U"Lglg", Sex::Female, {gene::lg}, father, mother, 2);
  const StockEnumeration enumeration = enumerate(stock, {gene::lg});
  EXPECT_EQ(verdicts(enumeration, mother, gene::lg), "9/25, 16/25, excluded");
  EXPECT_EQ(verdicts(enumeration, young, gene::lg), "excluded, 1 proved, excluded");
}

}  // namespace
}  // namespace quorvale
