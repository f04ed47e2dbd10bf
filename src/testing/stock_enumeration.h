#ifndef QUORVALE_TESTING_STOCK_ENUMERATION_H_
#define QUORVALE_TESTING_STOCK_ENUMERATION_H_

#include <map>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "genetics/genotype.h"
#include "stock/stock.h"
#include "text/exact.h"

namespace quorvale {

// The plain reference for what a stock's records say of its animals' genes,
// for tests: every assignment of a state of a few genes to every animal,
// weighed one by one and summed. It is slow on purpose (the number of
// assignments grows as the power of the animals) and reads the records in
// the plainest way: the coat by deciding the description of each whole
// genotype, never through the coat's boxes. The program never builds it.

// A weight as a polynomial in ε, the vanishing chance that an allele of a
// founder is mutant when nothing says so. Every term is kept; as ε goes to
// 0 only the lowest power and its coefficient count.
struct Polynomial {
  // By power of ε, from ε^0: the coefficients, each in lowest terms, the
  // last one not zero (so the zero polynomial has none).
  std::vector<Ratio> coefficients;
};

Polynomial operator+(const Polynomial& a, const Polynomial& b);
Polynomial operator*(const Polynomial& a, const Polynomial& b);

bool isZero(const Polynomial& a);

// The lowest power of ε with a coefficient that is not zero, and that
// coefficient.
// REQUIRES: !isZero(a).
int lowestPower(const Polynomial& a);
Ratio lowestCoefficient(const Polynomial& a);

// What the enumeration sums, for the genes it was asked about.
struct StockEnumeration {
  std::vector<GeneIndex> genes;
  // The weight of every assignment together: the chance of the records.
  Polynomial total;
  // By recorded animal (as in Stock::animals), by place in `genes`, by
  // state: the weight of the assignments in which the animal has that
  // state. For a record of several young, of the assignments in which any
  // one of them, the same for each, has it. The states of a gene sum to
  // the total.
  std::vector<std::vector<std::vector<Polynomial>>> weights;
  // With enumerateStock's pair: the weight of the assignments by the two
  // animals' states, each a vector by place in `genes`.
  std::map<std::pair<std::vector<int>, std::vector<int>>, Polynomial> pair;
};

// Every assignment of a state of each gene of `genes` to every animal: each
// young of each record, and for each parent a record leaves empty, the
// founder who stands for it (a male for a father, a female for a mother;
// one per record, shared by its young). A record without parents of a
// single young is a founder itself; one of several young has two such
// founders for parents. An assignment weighs the product of:
//  - for each founder and gene, with a chance stated (StockAnimal::priors)
//    that chance on its state, the rest of it on the prior's `rest`, 0 on
//    any other; without one, ε for each mutant allele and 1 for each wild
//    one (so 1, 2ε and ε² for no, one and two; toY 1, ToY ε);
//  - for each young and gene, the chance of its state given its parents'
//    (Mendelian; Yellow on the X chromosome: a son's from his mother, a
//    daughter's one from each parent), among the young those parents have
//    that are born (none with two Light Grey or two Dominant Spot alleles);
//  - for Yellow, the chance 1/2 of each sex of a recorded animal, unless a
//    stated chance gives its state;
//  - the evidence of each recorded animal: 1 when its states lie in its
//    `known` box, are of its recorded sex (Yellow's state fixes the sex)
//    and its whole genotype has the recorded coat line (decideDescription
//    without warnings or sex, the coat length ignored when the line leaves
//    it out), else 0; and 0 for an animal with a lethal pair.
// The genes not enumerated are fixed by each record's `known` box; what
// they weigh is the same in every assignment and is left out. A founder
// who stands for an empty parent has no other genes that matter.
// REQUIRES: 1 to 3 genes, each once; at every other gene, every record's
// `known` box allows exactly one state, not a lethal pair, of its sex (and
// these states are possible together); a parent is a record of one young,
// of its sex (a father male, a mother female), not its own ancestor; a
// stated chance only on a record of one young without parents.
// With `pair` (two recorded animals of one young each), also their joint
// weights.
StockEnumeration enumerateStock(const Stock& stock, std::span<const GeneIndex> genes,
                                std::optional<std::pair<int, int>> pair = std::nullopt);

// What the inference says of one state, as ε goes to 0.
enum class Verdict {
  Excluded,  // its weight is 0
  Possible,  // its lowest power of ε is above the total's
  Chance,    // the ratio of its coefficient at the total's lowest power to the total's
};

struct StateVerdict {
  Verdict verdict = Verdict::Excluded;
  Ratio chance = {0, 1};  // in lowest terms; 0 unless a Chance
  bool proved = false;    // a chance of 1 with every other state excluded
};

// The verdict on state `state` of gene g of recorded animal `animal`.
// REQUIRES: g is one of enumeration.genes; !isZero(enumeration.total).
StateVerdict verdictOf(const StockEnumeration& enumeration, int animal, GeneIndex g, int state);

}  // namespace quorvale

#endif  // QUORVALE_TESTING_STOCK_ENUMERATION_H_
