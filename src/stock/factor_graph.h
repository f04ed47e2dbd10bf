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
// towards the roots and back, so that every variable's weights come out of
// one calibration rather than one elimination each.

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
  std::vector<std::vector<VariableId>> queries;
  std::vector<int> query_clique;  // by query: a clique that holds it
  // The table entries the passes walk: what the work costs.
  std::uint64_t cost = 0;
};

// Plans the sums of the network. Each of the `queries` (a set of
// variables, ascending) ends up inside one clique, so that the joint
// weights of its variables can be read from the sums (sumNetwork). Stops
// as soon as the cost passes most_cost: such a plan tells its cost, and is
// not to be summed.
SumPlan planSums(const Network& network, std::vector<std::vector<VariableId>> queries,
                 std::uint64_t most_cost);

// A network summed. For each query of its plan, a table over the query's
// variables: each assignment's weight summed over everything else, its
// power counted from the least power of the connected part of the network
// it lies in. An assignment that readings of that least power have gets
// power 0 and their summed coefficient (up to a positive constant common to
// the query's table); one that only readings with more unseen alleles have
// gets the extra power and the coefficient 1; one that no reading has,
// Weight::zero().
//
// The sums run twice. First over the powers alone, as whole numbers (which
// readings weigh least); then with the exact coefficients, over just the
// table entries that the readings of the least power pass through, which
// are few: the numbers of any size are worked out only where the answer
// needs them.
struct Sums {
  // False when the factors leave no assignment any weight.
  bool possible = true;
  std::vector<Factor> queries;  // by query of the plan
};

Sums sumNetwork(const Network& network, const SumPlan& plan);

// Whether some assignment of every variable has a weight: the first pass
// alone, towards the roots.
bool anyWeight(const Network& network, const SumPlan& plan);

// The product of factors over the union of their scopes (for building a
// network, and for tests).
Factor multiply(std::span<const Factor> factors, std::span<const int> domain);

// The factor summed onto some of its variables.
// REQUIRES: kept ascends and lies in the factor's scope.
Factor sumOnto(const Factor& factor, const std::vector<VariableId>& kept,
               std::span<const int> domain);

}  // namespace quorvale

#endif  // QUORVALE_STOCK_FACTOR_GRAPH_H_
