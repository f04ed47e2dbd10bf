#ifndef QUORVALE_STOCK_INFERENCE_H_
#define QUORVALE_STOCK_INFERENCE_H_

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "genetics/genotype.h"
#include "stock/factor_graph.h"
#include "stock/gene_states.h"
#include "stock/stock.h"
#include "stock/weight.h"

namespace quorvale {

// Every animal's genes, exactly, given everything a stock file records.
//
// The rule. Inheritance is Mendelian, each gene on its own, Yellow on the X
// chromosome; a young of unknown sex is either with chance 1/2; every
// animal in the file was born, so its chance is taken among the young its
// parents have that are born. Each allele of an animal without recorded
// parents is mutant with a vanishing chance ε, independently, where no
// chance is stated for it (0, 1 and 2 mutant alleles weigh 1, 2ε and ε²; a
// male's To is one allele); the answer is the limit as ε goes to 0. A state
// whose weight is zero is excluded; one whose lowest power of ε is above
// the whole file's is possible (some reading of the file has it, but only
// through more unseen mutant alleles than the file needs); any other has
// the chance given by the ratio of the coefficients.
//
// The model: one variable per gene of each named animal and of each parent
// a record leaves out (a founder of its own), taking the states its sex,
// its coat and its known genes allow; one more per animal whose coat ties
// genes together, choosing the box of its coat (stock/coat_boxes.h); young
// recorded only as evidence are summed out at once, into a factor over
// their parents.

// One part of a joint (StockModel::joint): its members, each an animal's
// gene, in the order of its table's scope, and the table, whose weights are
// as sumNetwork gives them (stock/factor_graph.h): power 0 and the
// coefficient for an assignment of the least power, the extra power for
// one only more unseen alleles give, zero for one no reading has.
struct JointMember {
  std::size_t animal = 0;
  GeneIndex gene = 0;
  std::vector<int> states;  // the states its values stand for
};

struct JointPart {
  std::vector<JointMember> members;
  Factor table;
};

// The most a stock's model may cost, in table entries walked: the same
// bound on every platform, so that a file is refused everywhere or nowhere.
inline constexpr std::uint64_t kMostStockCost = std::uint64_t{1} << 24;

// The most variables a stock's model may have: one per gene of each
// animal, 65,536 in all (4,681 animals, named or parents a record leaves
// out), far more than any breeder's records need. The exact numbers of a
// longer pedigree grow with it, and their sums with their squares.
inline constexpr std::uint64_t kMostStockVariables = std::uint64_t{1} << 16;

// A stock's model, planned but not yet summed.
class StockModel {
 public:
  // REQUIRES: the stock is well formed (stock/stock_file.h checks it):
  // parents exist, are of the right sex and are named animals (count 1),
  // no animal is its own ancestor.
  // Only the genes of the set `genes` (one bit per GeneIndex) are modelled:
  // they are independent but for the coats that tie them, so a question
  // about some genes alone may leave the others out.
  explicit StockModel(const Stock& stock, std::uint16_t genes = kEveryGene);

  static constexpr std::uint16_t kEveryGene = (1u << GeneCount) - 1;

  // Whether some reading of the file has a weight: false when it cannot be
  // true. Cheaper than weights(), which it is the first half of.
  // REQUIRES: cost() <= kMostStockCost.
  bool possible() const;

  // The entries of the tables summing it would make: its cost, known before
  // any arithmetic.
  std::uint64_t cost() const { return too_big_ ? kMostStockCost + 1 : plan_.cost; }

  // Every animal's weights, by gene and state, or nothing when the file
  // cannot be true.
  // REQUIRES: cost() <= kMostStockCost.
  struct Weights;
  std::optional<std::vector<Weights>> weights() const;

  // The joint weights of some named animals' genes given the file: the
  // genes fall into parts that the file ties together (the same gene of
  // related animals; the genes a coat ties), and parts are independent, so
  // the joint weight of the animals' genotypes is the product of one entry
  // of each part's table. Nothing when summing it would cost more than
  // kMostStockCost.
  //
  // Evidence weighs the states of some of those genes further: the joint
  // is then the one of the file and the evidence together (a state weighed
  // zero is taken as not being so), summed only over the parts the
  // evidence is about when only_evidence is set.
  //
  // A weight for each state of one gene of a named animal, taken into the
  // file's readings: 1 (Weight::of(0, 1)) for a state known to be so, zero
  // for one known not to be, or ε to a power to weigh one state against
  // another.
  struct Evidence {
    std::size_t animal = 0;
    GeneIndex gene = 0;
    std::array<Weight, kYellowStates> of_state;
  };
  struct Joint;
  std::optional<Joint> joint(const std::vector<std::size_t>& animals,
                             const std::vector<Evidence>& evidence = {},
                             bool only_evidence = false) const;

  // The states animal a may take at gene g: its variable's values (none
  // for a gene not modelled).
  const std::vector<int>& states(std::size_t animal, GeneIndex g) const;

 private:
  bool modelled(GeneIndex g) const { return (genes_ >> g & 1u) != 0; }

  std::uint16_t genes_;
  // A table too large to make was left out: the model is not to be summed.
  bool too_big_ = false;

  // The sums of the whole network, one table per named animal's gene,
  // made once when first asked for.
  const Sums& marginals() const;

  Network network_;
  SumPlan plan_;
  mutable std::optional<Sums> marginals_;
  std::map<VariableId, std::size_t> query_of_;  // a named animal's gene: its query
  // The parts of joints summed so far, by their variables (ascending):
  // what several questions about the same animals share.
  mutable std::map<std::vector<VariableId>, JointPart> summed_;
  // By animal (the stock's records; the unnamed ones have none) and gene:
  // the variable, and the states its values stand for.
  struct Genes {
    std::array<VariableId, GeneCount> variable{};
    std::array<std::vector<int>, GeneCount> states;
  };
  std::vector<std::optional<Genes>> animals_;
};

struct StockModel::Joint {
  bool possible = true;  // false: the file cannot be true
  std::vector<JointPart> parts;
};

// The weights of one animal's genes: by gene, by state (Weight::zero() for
// a state it cannot have).
struct StockModel::Weights {
  std::array<std::array<Weight, kYellowStates>, GeneCount> of_state;
};

}  // namespace quorvale

#endif  // QUORVALE_STOCK_INFERENCE_H_
