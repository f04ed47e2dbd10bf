#ifndef QUORVALE_STOCK_STOCK_H_
#define QUORVALE_STOCK_STOCK_H_

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "genetics/genotype.h"
#include "phenotype/description.h"
#include "stock/gene_states.h"
#include "text/exact.h"

namespace quorvale {

// A breeder's records, read from a stock file (stock/stock_file.h): the
// animals, what is known of each, and who descends from whom. Every animal
// in it was born.

// A chance stated for one gene of a founder: the state `state` with chance
// `chance`, and the rest of the chance on `rest`.
struct GenePrior {
  int state = 0;
  Ratio chance;  // strictly between 0 and 1
  int rest = 0;
};

struct StockAnimal {
  std::u32string name;         // empty for young recorded only as evidence
  Sex sex = Sex::Unspecified;  // Unspecified: not known
  // The coat recorded: the genotypes whose colour line it is, as disjoint
  // boxes (one box of every state when no coat is recorded), and the line
  // itself, its coat length left None when the record leaves it out.
  std::vector<GeneBox> coat;
  std::optional<DescriptionKey> coat_line;
  // By gene: the states the genes column leaves (every state when it says
  // nothing of the gene).
  GeneBox known{};
  // By gene: a stated chance, only for an animal without recorded parents.
  std::array<std::optional<GenePrior>, GeneCount> priors;
  // The parents, by their place in StockFile::animals; kUnknownParent for
  // a parent not recorded, who is then a founder of this record's own,
  // shared by its counted young.
  static constexpr int kUnknownParent = -1;
  int father = kUnknownParent;
  int mother = kUnknownParent;
  // How many young the record stands for (same parents, sex and coat): 1
  // for a named animal.
  int count = 1;
  int line = 0;  // the record's first line in the file, from 1

  bool isFounder() const { return father == kUnknownParent && mother == kUnknownParent; }
};

struct Stock {
  // In file order; parents may come after their young.
  std::vector<StockAnimal> animals;
};

}  // namespace quorvale

#endif  // QUORVALE_STOCK_STOCK_H_
