#include "stock/stock_litter.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "litter/analysis.h"
#include "litter/fraction.h"
#include "litter/phenotype_groups.h"
#include "stock/possible_groups.h"
#include "testing/random_stocks.h"
#include "testing/stock_enumeration.h"
#include "text/exact.h"
#include "text/utf8.h"

namespace quorvale {
namespace {

Ratio plus(const Ratio& a, const Ratio& b) {
  return lowestTerms(
      {a.numerator * b.denominator + b.numerator * a.denominator, a.denominator * b.denominator});
}

Ratio times(const Ratio& a, const Ratio& b) {
  return lowestTerms({a.numerator * b.numerator, a.denominator * b.denominator});
}

std::string text(const Ratio& r) {
  const Ratio low = lowestTerms(r);
  return decimalDigits(low.numerator) + "/" + decimalDigits(low.denominator);
}

// The parents' genotype from the enumeration's states of its genes, the
// other genes as the records fix them.
Genotype genotypeOf(const StockAnimal& parent, const std::vector<GeneIndex>& genes,
                    const std::vector<int>& states, Sex sex) {
  Genotype g;
  setSex(g, sex);
  for (GeneIndex i = 0; i < GeneCount; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const auto at = std::find(genes.begin(), genes.end(), i);
    const int state = at != genes.end() ? states[static_cast<std::size_t>(at - genes.begin())]
                                        : std::countr_zero(static_cast<unsigned>(parent.known[k]));
    g.alleleCount[k] = countOfState(i, state);
  }
  return g;
}

// The litter of two animals of random small stocks, worked out from the
// parents' joint chance, agrees with the enumeration of every assignment:
// each group's share and its chance of at least one in 8 (an expectation
// over the parents' joint genotype), and the groups only more unseen
// alleles give, with how many more.
TEST(StockLitter, AgreesWithTheEnumerationOnRandomStocks) {
  testing::RandomStocks random(1210);
  int litters = 0;
  for (int round = 0; round < 200 && litters < 40; ++round) {
    std::vector<GeneIndex> genes;
    const Stock stock = random.stock(/*lies=*/false, genes);
    if (testing::assignments(stock, genes) > 4e3) {
      continue;
    }
    // The last named male and female.
    int male = -1;
    int female = -1;
    for (std::size_t a = 0; a < stock.animals.size(); ++a) {
      if (!stock.animals[a].name.empty()) {
        (stock.animals[a].sex == Sex::Male ? male : female) = static_cast<int>(a);
      }
    }
    if (male < 0 || female < 0) {
      continue;
    }
    const StockModel model(stock);
    const auto joint =
        model.joint({static_cast<std::size_t>(male), static_cast<std::size_t>(female)});
    ASSERT_TRUE(joint.has_value());
    if (!joint->possible) {
      continue;
    }
    ++litters;
    const StockEnumeration plain = enumerateStock(stock, genes, std::pair{male, female});
    const int least = lowestPower(plain.total);
    const Ratio total = lowestCoefficient(plain.total);
    // The reference litter: every joint genotype of least power by its
    // chance; the possible ones by their extra power.
    std::map<std::u32string, Ratio> shares;
    std::map<std::u32string, Ratio> at_least_one;
    std::map<std::u32string, int> extra;
    // At least one of any Golden young, of whatever words (a colour looked
    // for): one expectation over the pairs, not the groups' added.
    const LinePattern golden;
    Ratio any_golden = ratio(0, 1);
    for (const auto& [states, weight] : plain.pair) {
      if (isZero(weight)) {
        continue;
      }
      const Genotype m =
          genotypeOf(stock.animals[static_cast<std::size_t>(male)], genes, states.first, Sex::Male);
      const Genotype f = genotypeOf(stock.animals[static_cast<std::size_t>(female)], genes,
                                    states.second, Sex::Female);
      const GroupedLitter litter = groupLitter(m, f, Language::English);
      const LitterFigures figures = analyseLitter(litter, false, false);
      const int power = lowestPower(weight) - least;
      for (const PhenotypeGroup& group : litter.groups) {
        auto [at, inserted] = extra.try_emplace(group.description, power);
        at->second = std::min(at->second, power);
      }
      if (power != 0) {
        continue;
      }
      const Ratio chance = lowestTerms({lowestCoefficient(weight).numerator * total.denominator,
                                        lowestCoefficient(weight).denominator * total.numerator});
      std::uint64_t golden_born = 0;
      for (const PhenotypeGroup& group : litter.groups) {
        if (group.coat.kind != CoatKind::Lethal && fitsLine(group.key, golden, kTargetFit)) {
          golden_born += group.chance;
        }
      }
      if (golden_born != 0) {
        any_golden =
            plus(any_golden, times(chance, atLeastOne(golden_born, bornChance(figures), 8)));
      }
      for (const PhenotypeGroup& group : litter.groups) {
        auto [share, s_new] = shares.try_emplace(group.description, ratio(0, 1));
        share->second = plus(share->second, times(chance, ratio(group.chance, kChanceOne)));
        if (group.coat.kind != CoatKind::Lethal) {
          auto [one, o_new] = at_least_one.try_emplace(group.description, ratio(0, 1));
          one->second =
              plus(one->second, times(chance, atLeastOne(group.chance, bornChance(figures), 8)));
        }
      }
    }
    const MixedLitter litter =
        mixedLitter(parentGenotypes(joint->parts, static_cast<std::size_t>(male),
                                    static_cast<std::size_t>(female)),
                    {8, false, false, golden}, Language::English);
    ASSERT_EQ(litter.groups.size(), shares.size()) << "round " << round;
    for (const MixedGroup& group : litter.groups) {
      const std::string name = toUtf8(group.description);
      ASSERT_EQ(text(group.chance), text(shares.at(group.description)))
          << name << " round " << round;
      if (group.at_least_one) {
        EXPECT_EQ(text(*group.at_least_one), text(at_least_one.at(group.description))) << name;
      }
    }
    EXPECT_EQ(text(litter.found_at_least_one.value_or(ratio(0, 1))), text(any_golden))
        << "round " << round;
    std::map<std::u32string, int> possible;
    for (const auto& [description, power] : extra) {
      if (power > 0) {
        possible[description] = power;
      }
    }
    std::map<std::u32string, int> found;
    for (const PossibleGroup& group :
         possibleGroups(joint->parts, static_cast<std::size_t>(male), Language::English)) {
      found[group.description] = group.extra;
    }
    EXPECT_EQ(found, possible) << "round " << round;
  }
  EXPECT_GE(litters, 30);
}

}  // namespace
}  // namespace quorvale
