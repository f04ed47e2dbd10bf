#ifndef QUORVALE_STOCK_CONTRADICTION_H_
#define QUORVALE_STOCK_CONTRADICTION_H_

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "genetics/genotype.h"
#include "stock/stock.h"
#include "text/language.h"

namespace quorvale {

// Where a stock file that cannot be true goes wrong: a Golden young of two
// Cream parents, a Yellow son of a mother whose coat and genes leave no
// Yellow, or a longer chain (parents stated EE, their Golden son, his
// Cream pup by a Golden mate).

struct Contradiction {
  // A record whose young its parents cannot have, on their own records
  // alone; else a set of records that cannot be true together, as few as
  // will do it.
  enum class Kind : std::uint8_t { Family, Records };
  Kind kind = Kind::Family;
  // The gene that decides it, when one gene alone does.
  std::optional<GeneIndex> gene;
  // Family: the young's record. Records: the records, in file order.
  std::vector<std::size_t> animals;
};

// Every family that alone cannot be true; when there is none, for each gene
// that alone cannot be true a smallest set of records for it (none of them
// can be left out), or one such set over all genes when no gene alone
// decides it. Empty when the file can be true.
// REQUIRES: the stock is well formed (as stock/inference.h asks) and small
// enough to be summed.
std::vector<Contradiction> findContradictions(const Stock& stock);

// The contradiction as one line, without a line end: "line 12: "Rex" and
// "Bella" cannot have such a young (Cream)".
std::u32string contradictionText(const Stock& stock, const Contradiction& contradiction,
                                 Language language);

}  // namespace quorvale

#endif  // QUORVALE_STOCK_CONTRADICTION_H_
