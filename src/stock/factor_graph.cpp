#include "stock/factor_graph.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <cstdint>
#include <numeric>
#include <set>
#include <tuple>
#include <unordered_map>
#include <utility>

namespace quorvale {

namespace {

std::size_t entriesOf(const std::vector<VariableId>& scope, std::span<const int> domain) {
  std::size_t entries = 1;
  for (const VariableId v : scope) {
    entries *= static_cast<std::size_t>(domain[static_cast<std::size_t>(v)]);
  }
  return entries;
}

// For each entry of a table over `big`, the entry of a table over `small`
// (a subset of big) that agrees with it on small's variables.
std::vector<std::uint32_t> projection(const std::vector<VariableId>& big,
                                      const std::vector<VariableId>& small,
                                      std::span<const int> domain) {
  // The stride in small's table of each variable of big (0 when small has
  // none of it).
  std::vector<std::uint32_t> stride(big.size(), 0);
  std::uint32_t step = 1;
  for (std::size_t i = small.size(); i-- > 0;) {
    const auto at = std::lower_bound(big.begin(), big.end(), small[i]);
    assert(at != big.end() && *at == small[i]);
    stride[static_cast<std::size_t>(at - big.begin())] = step;
    step *= static_cast<std::uint32_t>(domain[static_cast<std::size_t>(small[i])]);
  }
  const std::size_t entries = entriesOf(big, domain);
  std::vector<std::uint32_t> index(entries);
  std::vector<int> digit(big.size(), 0);
  std::uint32_t at = 0;
  for (std::size_t e = 0; e < entries; ++e) {
    index[e] = at;
    // The odometer over big, its last variable turning fastest.
    for (std::size_t i = big.size(); i-- > 0;) {
      const int size = domain[static_cast<std::size_t>(big[i])];
      if (++digit[i] < size) {
        at += stride[i];
        break;
      }
      digit[i] = 0;
      at -= stride[i] * static_cast<std::uint32_t>(size - 1);
    }
  }
  return index;
}

std::vector<VariableId> unionOf(const std::vector<VariableId>& a,
                                const std::vector<VariableId>& b) {
  std::vector<VariableId> both;
  std::set_union(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(both));
  return both;
}

// Scales a table by a positive constant, so that its numbers stay small: the
// lowest power among its entries becomes 0 and the coefficients lose their
// common factor. Every answer is a ratio of entries of one table, so no
// answer changes.
void normalise(Factor& factor) {
  int lowest = Weight::kZero;
  for (const Weight& w : factor.table) {
    lowest = std::min(lowest, w.power);
  }
  if (lowest == Weight::kZero) {
    return;
  }
  Integer common = 0;
  for (Weight& w : factor.table) {
    if (!w.isZero()) {
      w.power -= lowest;
      common = common == 0 ? w.coefficient : boost::multiprecision::gcd(common, w.coefficient);
    }
  }
  if (common > 1) {
    for (Weight& w : factor.table) {
      if (!w.isZero()) {
        w.coefficient /= common;
      }
    }
  }
}

// A table over `scope` that is 1 everywhere.
Factor unit(std::vector<VariableId> scope, std::span<const int> domain) {
  Factor one{std::move(scope), {}};
  one.table.assign(entriesOf(one.scope, domain), Weight::of(0, 1));
  return one;
}

// target *= factor, where factor's scope lies in target's.
void multiplyInto(Factor& target, const Factor& factor, std::span<const int> domain) {
  const std::vector<std::uint32_t> index = projection(target.scope, factor.scope, domain);
  for (std::size_t e = 0; e < target.table.size(); ++e) {
    Weight& w = target.table[e];
    if (!w.isZero()) {
      w = w * factor.table[index[e]];
    }
  }
}

}  // namespace

VariableId Network::addVariable(int domain_size) {
  assert(domain_size >= 1);
  domain.push_back(domain_size);
  return static_cast<VariableId>(domain.size() - 1);
}

void Network::addFactor(Factor factor) {
  assert(std::is_sorted(factor.scope.begin(), factor.scope.end()));
  assert(factor.table.size() == entriesOf(factor.scope, domain));
  factors.push_back(std::move(factor));
}

Factor multiply(std::span<const Factor> factors, std::span<const int> domain) {
  std::vector<VariableId> scope;
  for (const Factor& f : factors) {
    scope = unionOf(scope, f.scope);
  }
  Factor product = unit(std::move(scope), domain);
  for (const Factor& f : factors) {
    multiplyInto(product, f, domain);
  }
  return product;
}

Factor sumOnto(const Factor& factor, const std::vector<VariableId>& kept,
               std::span<const int> domain) {
  Factor sum{kept, std::vector<Weight>(entriesOf(kept, domain))};
  const std::vector<std::uint32_t> index = projection(factor.scope, kept, domain);
  for (std::size_t e = 0; e < factor.table.size(); ++e) {
    sum.table[index[e]] += factor.table[e];
  }
  return sum;
}

SumPlan planSums(const Network& network, std::vector<std::vector<VariableId>> queries,
                 std::uint64_t most_cost) {
  const std::size_t n = network.domain.size();
  std::vector<std::vector<VariableId>> neighbours(n);
  const auto connect = [&](const std::vector<VariableId>& scope) {
    for (const VariableId a : scope) {
      for (const VariableId b : scope) {
        if (a != b) {
          neighbours[static_cast<std::size_t>(a)].push_back(b);
        }
      }
    }
  };
  for (const Factor& f : network.factors) {
    connect(f.scope);
  }
  for (const std::vector<VariableId>& query : queries) {
    connect(query);
  }
  for (std::vector<VariableId>& list : neighbours) {
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
  }
  const auto adjacent = [&](VariableId a, VariableId b) {
    const std::vector<VariableId>& list = neighbours[static_cast<std::size_t>(a)];
    return std::binary_search(list.begin(), list.end(), b);
  };

  // The score of eliminating v now: the edges it would add, then the size
  // of the table it would make.
  struct Score {
    std::size_t fill = 0;
    std::uint64_t entries = 0;
  };
  const auto score = [&](VariableId v) {
    Score s;
    s.entries = static_cast<std::uint64_t>(network.domain[static_cast<std::size_t>(v)]);
    const std::vector<VariableId>& list = neighbours[static_cast<std::size_t>(v)];
    for (std::size_t i = 0; i < list.size(); ++i) {
      s.entries = std::min<std::uint64_t>(
          s.entries * static_cast<std::uint64_t>(network.domain[static_cast<std::size_t>(list[i])]),
          std::uint64_t{1} << 62);
      for (std::size_t j = i + 1; j < list.size(); ++j) {
        s.fill += adjacent(list[i], list[j]) ? 0 : 1;
      }
    }
    return s;
  };
  // The variables left, best first: fewest edges added, then the smallest
  // table, then the lower number, so that every platform takes the same
  // order.
  using Key = std::tuple<std::size_t, std::uint64_t, VariableId>;
  std::set<Key> queue;
  std::vector<Key> key_of(n);
  for (std::size_t v = 0; v < n; ++v) {
    const Score s = score(static_cast<VariableId>(v));
    key_of[v] = {s.fill, s.entries, static_cast<VariableId>(v)};
    queue.insert(key_of[v]);
  }
  std::vector<char> dirty(n, 0);
  std::vector<VariableId> touched;

  SumPlan plan;
  plan.clique_of.assign(n, -1);
  while (!queue.empty()) {
    const VariableId v = std::get<2>(*queue.begin());
    queue.erase(queue.begin());
    const auto best = static_cast<std::size_t>(v);
    const std::vector<VariableId> around = neighbours[best];
    SumPlan::Clique clique;
    clique.separator = around;
    clique.variables = unionOf(around, {v});
    plan.cost += entriesOf(clique.variables, network.domain);
    plan.clique_of[best] = static_cast<int>(plan.cliques.size());
    plan.cliques.push_back(std::move(clique));
    if (plan.cost > most_cost) {
      // Too costly to sum: the plan is only good for its cost.
      return plan;
    }

    // Eliminate v: its neighbours become one another's, and the scores
    // of the variables around them change.
    for (const VariableId a : around) {
      std::vector<VariableId>& list = neighbours[static_cast<std::size_t>(a)];
      list.erase(std::lower_bound(list.begin(), list.end(), v));
      list = unionOf(list, around);
      list.erase(std::lower_bound(list.begin(), list.end(), a));
    }
    touched.clear();
    for (const VariableId a : around) {
      for (const VariableId b : neighbours[static_cast<std::size_t>(a)]) {
        touched.push_back(b);
      }
      touched.push_back(a);
    }
    for (const VariableId u : touched) {
      const auto i = static_cast<std::size_t>(u);
      if (dirty[i] != 0) {
        continue;
      }
      dirty[i] = 1;
      queue.erase(key_of[i]);
      const Score s = score(u);
      key_of[i] = {s.fill, s.entries, u};
      queue.insert(key_of[i]);
    }
    for (const VariableId u : touched) {
      dirty[static_cast<std::size_t>(u)] = 0;
    }
  }

  // A clique's parent is the clique of the first of its neighbours to be
  // eliminated after it, which holds all of them.
  for (std::size_t c = 0; c < plan.cliques.size(); ++c) {
    SumPlan::Clique& clique = plan.cliques[c];
    for (const VariableId a : clique.separator) {
      const int at = plan.clique_of[static_cast<std::size_t>(a)];
      if (clique.parent < 0 || at < clique.parent) {
        clique.parent = at;
      }
    }
    if (clique.parent >= 0) {
      plan.cliques[static_cast<std::size_t>(clique.parent)].children.push_back(static_cast<int>(c));
    }
  }
  // A factor goes to the clique of the first of its variables to be
  // eliminated; a factor of no variable, to the first clique.
  for (std::size_t f = 0; f < network.factors.size(); ++f) {
    int first = -1;
    for (const VariableId v : network.factors[f].scope) {
      const int at = plan.clique_of[static_cast<std::size_t>(v)];
      first = first < 0 ? at : std::min(first, at);
    }
    if (first < 0 && !plan.cliques.empty()) {
      first = 0;
    }
    if (first >= 0) {
      plan.cliques[static_cast<std::size_t>(first)].factors.push_back(f);
    }
  }
  // A query lies in the clique of its first variable to be eliminated.
  for (const std::vector<VariableId>& query : queries) {
    int first = -1;
    for (const VariableId v : query) {
      const int at = plan.clique_of[static_cast<std::size_t>(v)];
      first = first < 0 ? at : std::min(first, at);
    }
    assert(first >= 0);
    plan.query_clique.push_back(first);
  }
  plan.queries = std::move(queries);
  return plan;
}

namespace {

// Powers as whole numbers, with kInfinite for the weight 0.
using Power = std::int32_t;
constexpr Power kInfinite = INT32_MAX / 4;

Power sumOf(Power a, Power b) { return a >= kInfinite || b >= kInfinite ? kInfinite : a + b; }

// An odometer over a clique's variables, the last turning fastest, that
// keeps the index of the current assignment in each of several tables whose
// scopes lie in the clique.
class CliqueWalk {
 public:
  CliqueWalk(const std::vector<VariableId>& variables, std::span<const int> domain,
             const std::vector<const std::vector<VariableId>*>& scopes)
      : size_(variables.size()), tables_(scopes.size()), digit_(size_, 0), index_(tables_, 0) {
    for (std::size_t k = 0; k < size_; ++k) {
      radix_.push_back(domain[static_cast<std::size_t>(variables[k])]);
    }
    stride_.assign(size_ * tables_, 0);
    for (std::size_t t = 0; t < tables_; ++t) {
      std::uint32_t step = 1;
      const std::vector<VariableId>& scope = *scopes[t];
      for (std::size_t i = scope.size(); i-- > 0;) {
        const auto at = std::lower_bound(variables.begin(), variables.end(), scope[i]);
        assert(at != variables.end() && *at == scope[i]);
        stride_[static_cast<std::size_t>(at - variables.begin()) * tables_ + t] = step;
        step *= static_cast<std::uint32_t>(domain[static_cast<std::size_t>(scope[i])]);
      }
    }
  }

  // The index in table t of the current assignment.
  std::uint32_t at(std::size_t t) const { return index_[t]; }
  // The value of the clique's k-th variable.
  int digit(std::size_t k) const { return digit_[k]; }

  // Moves to the next assignment; false after the last.
  bool next() {
    for (std::size_t k = size_; k-- > 0;) {
      const std::uint32_t* stride = &stride_[k * tables_];
      if (++digit_[k] < radix_[k]) {
        for (std::size_t t = 0; t < tables_; ++t) {
          index_[t] += stride[t];
        }
        return true;
      }
      const auto back = static_cast<std::uint32_t>(radix_[k] - 1);
      digit_[k] = 0;
      for (std::size_t t = 0; t < tables_; ++t) {
        index_[t] -= stride[t] * back;
      }
    }
    return false;
  }

 private:
  std::size_t size_;
  std::size_t tables_;
  std::vector<int> radix_;
  std::vector<int> digit_;
  std::vector<std::uint32_t> index_;
  std::vector<std::uint32_t> stride_;  // [variable][table]
};

// Makes the least power of a table of powers 0.
void lowerToZero(std::vector<Power>& table) {
  const Power least = *std::min_element(table.begin(), table.end());
  if (least >= kInfinite) {
    return;
  }
  for (Power& p : table) {
    p = p >= kInfinite ? kInfinite : p - least;
  }
}

// A table of weights that are zero but at a few entries: the second pass
// keeps only the readings of least power.
class SparseWeights {
 public:
  const Weight& at(std::uint32_t index) const {
    static const Weight kZeroWeight;
    const auto found = entries_.find(index);
    return found == entries_.end() ? kZeroWeight : found->second;
  }
  void add(std::uint32_t index, const Weight& w) {
    if (!w.isZero()) {
      entries_[index] += w;
    }
  }
  // Scales the table by a positive constant so that its numbers stay small
  // (as normalise does).
  void normalise() {
    Factor f;
    f.table.reserve(entries_.size());
    for (auto& [index, w] : entries_) {
      f.table.push_back(std::move(w));
    }
    quorvale::normalise(f);
    std::size_t i = 0;
    for (auto& [index, w] : entries_) {
      w = std::move(f.table[i++]);
    }
  }

 private:
  std::unordered_map<std::uint32_t, Weight> entries_;
};

// Everything the two passes keep of one clique.
struct CliqueSums {
  // What the clique tells its parent, and what its parent tells it: over
  // the separator; first the powers alone, then the weights of the
  // readings of least power.
  std::vector<Power> up;
  std::vector<Power> down;
  SparseWeights up_weights;
  SparseWeights down_weights;
  // The least power of the clique's belief (its factors and everything it
  // is told).
  Power least = kInfinite;
};

// The walks over one clique, in both passes.
class Summer {
 public:
  Summer(const Network& network, const SumPlan& plan) : network_(network), plan_(plan) {
    powers_.reserve(network.factors.size());
    for (const Factor& f : network.factors) {
      std::vector<Power> table;
      table.reserve(f.table.size());
      for (const Weight& w : f.table) {
        table.push_back(w.isZero() ? kInfinite : w.power);
      }
      powers_.push_back(std::move(table));
    }
    cliques_.resize(plan.cliques.size());
    held_.resize(plan.cliques.size());
    for (std::size_t q = 0; q < plan.queries.size(); ++q) {
      held_[static_cast<std::size_t>(plan.query_clique[q])].push_back(q);
    }
    for (std::size_t c = 0; c < plan.cliques.size(); ++c) {
      const std::size_t entries = entriesOf(plan.cliques[c].separator, network.domain);
      cliques_[c].up.assign(entries, kInfinite);
      cliques_[c].down.assign(entries, plan.cliques[c].parent < 0 ? 0 : kInfinite);
      if (plan.cliques[c].parent < 0) {
        cliques_[c].down_weights.add(0, Weight::of(0, 1));
      }
    }
  }

  // The powers towards the roots; false when some root's total is 0.
  bool powersUp() {
    bool possible = true;
    for (const Factor& f : network_.factors) {
      if (f.scope.empty() && f.table.front().isZero()) {
        possible = false;
      }
    }
    for (std::size_t c = 0; c < plan_.cliques.size(); ++c) {
      const SumPlan::Clique& clique = plan_.cliques[c];
      CliqueWalk walk(clique.variables, network_.domain, scopesOf(c, /*with_down=*/false));
      const std::size_t own = clique.factors.size();
      std::vector<Power>& out = cliques_[c].up;
      do {
        Power total = 0;
        for (std::size_t i = 0; i < own; ++i) {
          total = sumOf(total, powers_[clique.factors[i]][walk.at(i)]);
        }
        for (std::size_t i = 0; i < clique.children.size(); ++i) {
          total = sumOf(
              total, cliques_[static_cast<std::size_t>(clique.children[i])].up[walk.at(own + i)]);
        }
        Power& slot = out[walk.at(own + clique.children.size())];
        slot = std::min(slot, total);
      } while (walk.next());
      lowerToZero(out);
      if (clique.parent < 0 && out.front() >= kInfinite) {
        possible = false;
      }
    }
    return possible;
  }

  // The powers back from the roots, and each clique's least power.
  void powersDown() {
    for (std::size_t c = plan_.cliques.size(); c-- > 0;) {
      const SumPlan::Clique& clique = plan_.cliques[c];
      const std::size_t own = clique.factors.size();
      const std::size_t children = clique.children.size();
      CliqueWalk walk(clique.variables, network_.domain, scopesOf(c, /*with_down=*/true));
      std::vector<Power> ups(children);
      Power least = kInfinite;
      do {
        Power base = cliques_[c].down[walk.at(own + children + 1)];
        for (std::size_t i = 0; i < own; ++i) {
          base = sumOf(base, powers_[clique.factors[i]][walk.at(i)]);
        }
        Power total = base;
        for (std::size_t i = 0; i < children; ++i) {
          ups[i] = cliques_[static_cast<std::size_t>(clique.children[i])].up[walk.at(own + i)];
          total = sumOf(total, ups[i]);
        }
        least = std::min(least, total);
        for (std::size_t k = 0; k < children; ++k) {
          Power rest = base;
          if (total < kInfinite) {
            rest = total - ups[k];
          } else {
            for (std::size_t j = 0; j < children; ++j) {
              rest = j == k ? rest : sumOf(rest, ups[j]);
            }
          }
          Power& slot = childDown(clique.children[k])[walk.at(own + children + 2 + k)];
          slot = std::min(slot, rest);
        }
      } while (walk.next());
      cliques_[c].least = least;
      for (const int child : clique.children) {
        lowerToZero(cliques_[static_cast<std::size_t>(child)].down);
      }
    }
  }

  // The weights of the readings of least power, both ways, and the
  // queries' tables.
  Sums weights() {
    Sums sums;
    for (std::size_t q = 0; q < plan_.queries.size(); ++q) {
      const std::size_t entries = entriesOf(plan_.queries[q], network_.domain);
      sums.queries.push_back({plan_.queries[q], std::vector<Weight>(entries, Weight::zero())});
      query_least_.emplace_back(entries, kInfinite);
    }
    for (std::size_t c = 0; c < plan_.cliques.size(); ++c) {
      walkWeights(c, /*up=*/true, sums);
    }
    for (std::size_t c = plan_.cliques.size(); c-- > 0;) {
      walkWeights(c, /*up=*/false, sums);
    }
    // The powers of the assignments off the least readings.
    for (std::size_t q = 0; q < plan_.queries.size(); ++q) {
      const Power least = cliques_[static_cast<std::size_t>(plan_.query_clique[q])].least;
      std::vector<Weight>& table = sums.queries[q].table;
      for (std::size_t e = 0; e < table.size(); ++e) {
        const Power power = query_least_[q][e];
        if (power >= kInfinite) {
          table[e] = Weight::zero();
        } else if (power > least) {
          table[e] = Weight::of(power - least, 1);
        } else {
          assert(!table[e].isZero());
          table[e] = Weight{0, table[e].coefficient};
        }
      }
      normalise(sums.queries[q]);
    }
    return sums;
  }

 private:
  std::vector<Power>& childDown(int child) {
    return cliques_[static_cast<std::size_t>(child)].down;
  }

  // The scopes of the tables a walk over clique c reads and writes: its
  // own factors, its children's messages, its separator; going down, also
  // each child's separator and the queries it holds.
  std::vector<const std::vector<VariableId>*> scopesOf(std::size_t c, bool with_down) const {
    const SumPlan::Clique& clique = plan_.cliques[c];
    std::vector<const std::vector<VariableId>*> scopes;
    for (const std::size_t f : clique.factors) {
      scopes.push_back(&network_.factors[f].scope);
    }
    for (const int child : clique.children) {
      scopes.push_back(&plan_.cliques[static_cast<std::size_t>(child)].separator);
    }
    scopes.push_back(&clique.separator);
    if (with_down) {
      scopes.push_back(&clique.separator);
      for (const int child : clique.children) {
        scopes.push_back(&plan_.cliques[static_cast<std::size_t>(child)].separator);
      }
      for (const std::size_t q : held_[c]) {
        scopes.push_back(&plan_.queries[q]);
      }
    }
    return scopes;
  }

  // One walk of the second pass over clique c: only the assignments whose
  // belief has the clique's least power count, for only they lie on a
  // reading of least power.
  void walkWeights(std::size_t c, bool up, Sums& sums) {
    const SumPlan::Clique& clique = plan_.cliques[c];
    const std::size_t own = clique.factors.size();
    const std::size_t children = clique.children.size();
    const std::vector<std::size_t>& held = held_[c];
    CliqueWalk walk(clique.variables, network_.domain, scopesOf(c, /*with_down=*/true));
    const std::size_t at_separator = own + children;
    const std::size_t at_down = own + children + 1;
    const std::size_t at_children = own + children + 2;
    const std::size_t at_queries = at_children + children;
    const CliqueSums& sums_of = cliques_[c];
    std::vector<Weight> ups(children);
    do {
      // The belief's power, as the first pass worked it out.
      Power power = sums_of.down[walk.at(at_down)];
      for (std::size_t i = 0; i < own; ++i) {
        power = sumOf(power, powers_[clique.factors[i]][walk.at(i)]);
      }
      for (std::size_t i = 0; i < children; ++i) {
        power = sumOf(power,
                      cliques_[static_cast<std::size_t>(clique.children[i])].up[walk.at(own + i)]);
      }
      if (!up) {
        for (std::size_t k = 0; k < held.size(); ++k) {
          Power& least = query_least_[held[k]][walk.at(at_queries + k)];
          least = std::min(least, power);
        }
      }
      if (power != sums_of.least) {
        continue;
      }
      Weight base = Weight::of(0, 1);
      for (std::size_t i = 0; i < own; ++i) {
        base = base * network_.factors[clique.factors[i]].table[walk.at(i)];
      }
      if (up) {
        for (std::size_t i = 0; i < children; ++i) {
          base = base * cliques_[static_cast<std::size_t>(clique.children[i])].up_weights.at(
                            walk.at(own + i));
        }
        cliques_[c].up_weights.add(walk.at(at_separator), base);
        continue;
      }
      base = base * sums_of.down_weights.at(walk.at(at_down));
      Weight total = base;
      for (std::size_t i = 0; i < children; ++i) {
        ups[i] =
            cliques_[static_cast<std::size_t>(clique.children[i])].up_weights.at(walk.at(own + i));
        total = total * ups[i];
      }
      for (std::size_t k = 0; k < held.size(); ++k) {
        sums.queries[held[k]].table[walk.at(at_queries + k)] += total;
      }
      for (std::size_t k = 0; k < children; ++k) {
        Weight rest = base;
        for (std::size_t j = 0; j < children; ++j) {
          if (j != k) {
            rest = rest * ups[j];
          }
        }
        cliques_[static_cast<std::size_t>(clique.children[k])].down_weights.add(
            walk.at(at_children + k), rest);
      }
    } while (walk.next());
    if (up) {
      cliques_[c].up_weights.normalise();
    } else {
      for (const int child : clique.children) {
        cliques_[static_cast<std::size_t>(child)].down_weights.normalise();
      }
    }
  }

  const Network& network_;
  const SumPlan& plan_;
  std::vector<std::vector<Power>> powers_;  // by factor
  std::vector<CliqueSums> cliques_;
  std::vector<std::vector<Power>> query_least_;  // by query: each assignment's least power
  std::vector<std::vector<std::size_t>> held_;   // by clique: the queries it holds
};

}  // namespace

bool anyWeight(const Network& network, const SumPlan& plan) {
  Summer summer(network, plan);
  return summer.powersUp();
}

Sums sumNetwork(const Network& network, const SumPlan& plan) {
  Summer summer(network, plan);
  if (!summer.powersUp()) {
    return Sums{false, {}};
  }
  summer.powersDown();
  return summer.weights();
}

}  // namespace quorvale
