#include "stock/inference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "phenotype/description.h"
#include "stock/coat_boxes.h"
#include "testing/random_stocks.h"
#include "testing/stock_enumeration.h"

namespace quorvale {
namespace {

// What a state is, as "excluded", "possible" or the chance.
std::string verdictText(const StateVerdict& v) {
  if (v.verdict == Verdict::Excluded) {
    return "excluded";
  }
  if (v.verdict == Verdict::Possible) {
    return "possible";
  }
  return decimalDigits(v.chance.numerator) + "/" + decimalDigits(v.chance.denominator);
}

std::string weightText(const std::array<Weight, kYellowStates>& weights, GeneIndex g, int s) {
  int lowest = Weight::kZero;
  Integer total = 0;
  for (int t = 0; t < stateCount(g); ++t) {
    lowest = std::min(lowest, weights[static_cast<std::size_t>(t)].power);
  }
  for (int t = 0; t < stateCount(g); ++t) {
    total += weights[static_cast<std::size_t>(t)].power == lowest
                 ? weights[static_cast<std::size_t>(t)].coefficient
                 : 0;
  }
  const Weight& w = weights[static_cast<std::size_t>(s)];
  if (w.isZero()) {
    return "excluded";
  }
  if (w.power > lowest) {
    return "possible";
  }
  const Ratio chance = lowestTerms({w.coefficient, total});
  return decimalDigits(chance.numerator) + "/" + decimalDigits(chance.denominator);
}

// The inference agrees with the plain enumeration of every assignment on
// every state of every named animal, and on which stocks cannot be true.
TEST(StockInference, AgreesWithTheEnumerationOnRandomStocks) {
  testing::RandomStocks random(20261210);
  int compared = 0;
  int impossible = 0;
  for (int round = 0; round < 240; ++round) {
    const bool lies = round % 2 == 1;
    std::vector<GeneIndex> genes;
    const Stock stock = random.stock(lies, genes);
    // The enumeration walks every assignment: keep it to small stocks.
    if (testing::assignments(stock, genes) > 4e3) {
      continue;
    }
    const StockEnumeration plain = enumerateStock(stock, genes);
    const StockModel model(stock);
    ASSERT_LE(model.cost(), kMostStockCost);
    const auto weights = model.weights();
    ASSERT_EQ(isZero(plain.total), !weights.has_value()) << "round " << round;
    if (!weights) {
      ++impossible;
      continue;
    }
    for (std::size_t a = 0; a < stock.animals.size(); ++a) {
      if (stock.animals[a].name.empty()) {
        continue;
      }
      for (const GeneIndex g : genes) {
        for (int s = 0; s < stateCount(g); ++s) {
          ++compared;
          ASSERT_EQ(weightText((*weights)[a].of_state[static_cast<std::size_t>(g)], g, s),
                    verdictText(verdictOf(plain, static_cast<int>(a), g, s)))
              << "round " << round << ", animal " << a << ", gene " << g << ", state " << s;
        }
      }
    }
  }
  EXPECT_GT(compared, 1000);
  EXPECT_GT(impossible, 3);
}

}  // namespace
}  // namespace quorvale
