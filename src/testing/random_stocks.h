#ifndef QUORVALE_TESTING_RANDOM_STOCKS_H_
#define QUORVALE_TESTING_RANDOM_STOCKS_H_

#include <algorithm>
#include <bit>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "phenotype/description.h"
#include "stock/coat_boxes.h"
#include "stock/stock.h"

namespace quorvale::testing {

// Random small stocks, bred by Mendel's rules from founders of random
// genotypes and recorded as breeders record them (coats with and without
// their length, known genes, stated chances, parents left out, young of
// unknown sex, records of several young), and, with `lies`, some coats
// recorded wrong, so that some stocks cannot be true.
class RandomStocks {
 public:
  explicit RandomStocks(unsigned seed) : rng_(seed) {}

  int roll(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }

  Genotype founder(Sex sex, const std::vector<GeneIndex>& genes) {
    Genotype g;
    for (GeneIndex i = 0; i < GeneCount; ++i) {
      const bool asked = std::find(genes.begin(), genes.end(), i) != genes.end();
      int c = asked ? (roll(6) < 3 ? 0 : roll(6) < 4 ? 1 : 2) : (roll(8) == 0 ? roll(3) : 0);
      c = (bornStates(i) >> c & 1u) == 0 ? 1 : c;
      g.alleleCount[static_cast<std::size_t>(i)] =
          isSexLinked(i) && sex == Sex::Male && c != 0 ? 2 : c;
    }
    setSex(g, sex);
    return g;
  }

  Genotype young(const Genotype& f, const Genotype& m, Sex sex) {
    for (;;) {
      Genotype g;
      bool born = true;
      const auto gamete = [&](int count) {
        return count == 2 || (count == 1 && roll(2) == 1) ? 1 : 0;
      };
      for (GeneIndex i = 0; i < gene::to; ++i) {
        const auto k = static_cast<std::size_t>(i);
        g.alleleCount[k] = gamete(f.alleleCount[k]) + gamete(m.alleleCount[k]);
        born = born && (bornStates(i) >> g.alleleCount[k] & 1u) != 0;
      }
      const int to = gamete(m.alleleCount[gene::to]);
      g.alleleCount[gene::to] =
          sex == Sex::Male ? 2 * to : to + (f.alleleCount[gene::to] == 2 ? 1 : 0);
      setSex(g, sex);
      if (born) {
        return g;
      }
    }
  }

  StockAnimal record(Genotype g, Sex recorded, const std::vector<GeneIndex>& genes, bool lies) {
    if (lies && roll(8) == 0) {
      for (const GeneIndex i : genes) {
        if (!isSexLinked(i)) {
          g.alleleCount[static_cast<std::size_t>(i)] =
              (bornStates(i) >> 2 & 1u) == 0 ? roll(2) : roll(3);
        }
      }
    }
    StockAnimal a;
    a.sex = recorded;
    for (GeneIndex i = 0; i < GeneCount; ++i) {
      const auto k = static_cast<std::size_t>(i);
      a.known[k] = static_cast<StateSet>(1u << stateOf(i, g.alleleCount[k], sexOf(g)));
    }
    for (const GeneIndex i : genes) {
      if (roll(5) != 0) {
        a.known[static_cast<std::size_t>(i)] = allStates(i);
      }
    }
    GeneBox all{};
    for (GeneIndex i = 0; i < GeneCount; ++i) {
      all[static_cast<std::size_t>(i)] = allStates(i);
    }
    a.coat = {all};
    if (roll(6) != 0) {
      const DescriptionKey key = decideDescription(g, false, false);
      std::vector<DescriptionKey> lines = {key};
      a.coat_line = key;
      if (roll(4) == 0) {
        a.coat_line = withoutCoatLength(key);
        lines.clear();
        for (const DescriptionKey k : everyColourLine()) {
          if (withoutCoatLength(k) == *a.coat_line) {
            lines.push_back(k);
          }
        }
      }
      a.coat = coatBoxes(lines);
    }
    return a;
  }

  // A stock over two or three genes of `pool`; genes_out gets them.
  Stock stock(bool lies, std::vector<GeneIndex>& genes) {
    const std::vector<GeneIndex> pool = {gene::e,  gene::a,  gene::cd, gene::p,  gene::ba, gene::lg,
                                         gene::ds, gene::to, gene::u,  gene::sg, gene::rd};
    genes.clear();
    const int count = 2 + roll(2);
    while (static_cast<int>(genes.size()) < count) {
      const GeneIndex g = pool[static_cast<std::size_t>(roll(static_cast<int>(pool.size())))];
      if (std::find(genes.begin(), genes.end(), g) == genes.end()) {
        genes.push_back(g);
      }
    }
    Stock stock;
    std::vector<Genotype> truth;
    std::vector<int> males;
    std::vector<int> females;
    const int founders = 2 + roll(2);
    for (int i = 0; i < founders; ++i) {
      const Sex sex = i % 2 == 0 ? Sex::Male : Sex::Female;
      truth.push_back(founder(sex, genes));
      StockAnimal a = record(truth.back(), sex, genes, lies);
      const GeneIndex g = genes[static_cast<std::size_t>(roll(static_cast<int>(genes.size())))];
      const auto k = static_cast<std::size_t>(g);
      const int s = stateOf(g, truth.back().alleleCount[k], sex);
      const StateSet allowed =
          static_cast<StateSet>(a.known[k] & statesOfSex(g, sex) & bornStates(g));
      const int simplest = std::countr_zero(static_cast<unsigned>(allowed));
      if (roll(4) == 0 && allowed != 0 && simplest != s && !isSexLinked(g)) {
        a.priors[k] = GenePrior{s, ratio(1 + static_cast<unsigned>(roll(3)), 5), simplest};
      }
      a.name = U"f" + std::u32string(1, static_cast<char32_t>(U'a' + i));
      stock.animals.push_back(a);
      (sex == Sex::Male ? males : females).push_back(i);
    }
    const int records = 2 + roll(3);
    for (int y = 0; y < records; ++y) {
      int father =
          roll(4) == 0 ? -1 : males[static_cast<std::size_t>(roll(static_cast<int>(males.size())))];
      int mother = roll(4) == 0
                       ? -1
                       : females[static_cast<std::size_t>(roll(static_cast<int>(females.size())))];
      if (father < 0 && mother < 0) {
        mother = females.front();
      }
      const Genotype f =
          father >= 0 ? truth[static_cast<std::size_t>(father)] : founder(Sex::Male, genes);
      const Genotype m =
          mother >= 0 ? truth[static_cast<std::size_t>(mother)] : founder(Sex::Female, genes);
      const bool several = roll(3) == 0;
      const Sex sex = roll(2) == 1 ? Sex::Male : Sex::Female;
      truth.push_back(young(f, m, sex));
      StockAnimal a =
          record(truth.back(), several && roll(2) == 1 ? Sex::Unspecified : sex, genes, lies);
      a.father = father;
      a.mother = mother;
      if (several) {
        a.count = 2 + roll(3);
      } else {
        a.name = U"y" + std::u32string(1, static_cast<char32_t>(U'a' + y));
        (sex == Sex::Male ? males : females).push_back(static_cast<int>(stock.animals.size()));
      }
      stock.animals.push_back(a);
    }
    return stock;
  }

 private:
  std::mt19937 rng_;
};

// How many assignments the enumeration walks, about: the states each named
// animal's records leave it at the genes, and three for each gene of a
// parent a record leaves out.
inline double assignments(const Stock& stock, const std::vector<GeneIndex>& genes) {
  double count = 1;
  for (const StockAnimal& a : stock.animals) {
    if (a.count == 1) {
      double states = 0;
      for (const GeneBox& box : a.coat) {
        double in_box = 1;
        for (const GeneIndex g : genes) {
          const auto k = static_cast<std::size_t>(g);
          in_box *=
              std::popcount(static_cast<unsigned>(box[k] & a.known[k] & statesOfSex(g, a.sex)));
        }
        states += in_box;
      }
      count *= std::max(states, 1.0);
    }
    if (!a.isFounder()) {
      const int left_out = (a.father < 0 ? 1 : 0) + (a.mother < 0 ? 1 : 0);
      count *=
          std::pow(3.0, static_cast<double>(genes.size() * static_cast<std::size_t>(left_out)));
    }
  }
  return count;
}

}  // namespace quorvale::testing

#endif  // QUORVALE_TESTING_RANDOM_STOCKS_H_
