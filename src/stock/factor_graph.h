#ifndef QUORVALE_STOCK_FACTOR_GRAPH_H_
#define QUORVALE_STOCK_FACTOR_GRAPH_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "stock/weight.h"

namespace quorvale {

// The engine of the stock's inference: a product of factors over variables
// that each take one of a few values, summed over every assignment, in the
// arithmetic of weights (stock/weight.h). Summing by brute force would take
// 3^(animals x genes) steps; instead the variables are eliminated one at a
// time in an order that keeps the tables small (the one that adds the
// fewest new edges to the graph of the factors, "min-fill"), and the tables
// of that elimination (a junction tree, one clique per variable) are summed
// twice: once towards the roots, once back, so that every variable's
// weights come out of one calibration rather than one elimination each.

using VariableId = int;

// A function of some variables, as a table: one entry per assignment of its
// scope, the last variable of the scope turning fastest.
struct Factor {
  std::vector<VariableId> scope;  // ascending, no repeats
  std::vector<Weight> table;
};

struct Network {
  // By variable: how many values it takes (at least 1).
  std::vector<int> domain;
  std::vector<Factor> factors;

  VariableId addVariable(int domain_size);
  // REQUIRES: the scope ascends, its variables exist, the table has one
  // entry per assignment.
  void addFactor(Factor factor);
};

// How the network is summed: the junction tree of the elimination order.
struct SumPlan {
  struct Clique {
    std::vector<VariableId> variables;  // ascending: the one eliminated and its neighbours
    std::vector<VariableId> separator;  // the neighbours: what it shares with its parent
    int parent = -1;                    // none for the root of a connected part
    std::vector<std::size_t> factors;   // the network's factors it multiplies in
    std::vector<int> children;
  };
  std::vector<Clique> cliques;  // in elimination order: children before parents
  std::vector<int> clique_of;   // by variable: the clique where it is eliminated
  // The table entries the two passes make: what the work costs.
  std::uint64_t cost = 0;
};

// Plans the sums of the network. Each set of `joints` ends up inside one
// clique, so that its joint weights can be read (jointWeights).
SumPlan planSums(const Network& network, std::span<const std::vector<VariableId>> joints);

// A network summed both ways.
struct Calibration {
  // By clique: the product of everything, over the clique's variables,
  // scaled by some positive constant (the same for every entry of one
  // clique).
  std::vector<Factor> beliefs;
  // Whether some assignment of every variable has a weight: false when the
  // factors leave none.
  bool possible = true;
};

// REQUIRES: plan is planSums(network, ...).
Calibration calibrate(const Network& network, const SumPlan& plan);

// Whether some assignment of every variable has a weight: the first half of
// calibrate alone.
bool anyWeight(const Network& network, const SumPlan& plan);

// The weights of the assignments of some variables that share a clique,
// summed over everything else, up to a positive constant.
// REQUIRES: calibration.possible; the variables ascend and lie in one
// clique (a joint asked for, or a single variable).
Factor jointWeights(const Network& network, const SumPlan& plan, const Calibration& calibration,
                    const std::vector<VariableId>& variables);

// The product of factors over the union of their scopes (for building a
// network, and for tests).
Factor multiply(std::span<const Factor> factors, std::span<const int> domain);

// The factor summed onto some of its variables.
// REQUIRES: kept ascends and lies in the factor's scope.
Factor sumOnto(const Factor& factor, const std::vector<VariableId>& kept,
               std::span<const int> domain);

}  // namespace quorvale

#endif  // QUORVALE_STOCK_FACTOR_GRAPH_H_
