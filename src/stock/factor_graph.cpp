#include "stock/factor_graph.h"

#include <algorithm>
#include <cassert>
#include <numeric>
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

std::vector<VariableId> unionOf(const std::vector<VariableId>& a, const std::vector<VariableId>& b) {
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

SumPlan planSums(const Network& network, std::span<const std::vector<VariableId>> joints) {
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
  for (const std::vector<VariableId>& joint : joints) {
    connect(joint);
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
  std::vector<Score> scores(n);
  for (std::size_t v = 0; v < n; ++v) {
    scores[v] = score(static_cast<VariableId>(v));
  }
  std::vector<char> eliminated(n, 0);
  std::vector<char> dirty(n, 0);

  SumPlan plan;
  plan.clique_of.assign(n, -1);
  for (std::size_t step = 0; step < n; ++step) {
    // The best variable left, ties by the lower number: one order on every
    // platform.
    std::size_t best = n;
    for (std::size_t v = 0; v < n; ++v) {
      if (eliminated[v] != 0) {
        continue;
      }
      if (best == n || scores[v].fill < scores[best].fill ||
          (scores[v].fill == scores[best].fill && scores[v].entries < scores[best].entries)) {
        best = v;
      }
    }
    const auto v = static_cast<VariableId>(best);
    const std::vector<VariableId> around = neighbours[best];
    SumPlan::Clique clique;
    clique.separator = around;
    clique.variables = unionOf(around, {v});
    plan.cost += 2 * entriesOf(clique.variables, network.domain);
    plan.clique_of[best] = static_cast<int>(plan.cliques.size());
    plan.cliques.push_back(std::move(clique));

    // Eliminate v: its neighbours become one another's.
    eliminated[best] = 1;
    for (const VariableId a : around) {
      std::vector<VariableId>& list = neighbours[static_cast<std::size_t>(a)];
      list.erase(std::lower_bound(list.begin(), list.end(), v));
      list = unionOf(list, around);
      list.erase(std::lower_bound(list.begin(), list.end(), a));
    }
    for (const VariableId a : around) {
      dirty[static_cast<std::size_t>(a)] = 1;
      for (const VariableId b : neighbours[static_cast<std::size_t>(a)]) {
        dirty[static_cast<std::size_t>(b)] = 1;
      }
    }
    for (std::size_t u = 0; u < n; ++u) {
      if (dirty[u] != 0) {
        dirty[u] = 0;
        if (eliminated[u] == 0) {
          scores[u] = score(static_cast<VariableId>(u));
        }
      }
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
  return plan;
}

namespace {

// The messages towards the roots: up[c] is what clique c tells its parent,
// given each clique's own factors (over its variables). False when some
// root's total is 0.
bool sumUp(const Network& network, const SumPlan& plan, const std::vector<Factor>& own,
           std::vector<Factor>& up) {
  const std::span<const int> domain = network.domain;
  bool possible = true;
  for (const Factor& f : network.factors) {
    if (f.scope.empty() && f.table.front().isZero()) {
      possible = false;
    }
  }
  up.resize(plan.cliques.size());
  for (std::size_t c = 0; c < plan.cliques.size(); ++c) {
    Factor product = own[c];
    for (const int child : plan.cliques[c].children) {
      multiplyInto(product, up[static_cast<std::size_t>(child)], domain);
    }
    up[c] = sumOnto(product, plan.cliques[c].separator, domain);
    normalise(up[c]);
    if (plan.cliques[c].parent < 0 && up[c].table.front().isZero()) {
      possible = false;
    }
  }
  return possible;
}

std::vector<Factor> ownFactors(const Network& network, const SumPlan& plan) {
  std::vector<Factor> own(plan.cliques.size());
  for (std::size_t c = 0; c < plan.cliques.size(); ++c) {
    own[c] = unit(plan.cliques[c].variables, network.domain);
    for (const std::size_t f : plan.cliques[c].factors) {
      multiplyInto(own[c], network.factors[f], network.domain);
    }
  }
  return own;
}

}  // namespace

bool anyWeight(const Network& network, const SumPlan& plan) {
  std::vector<Factor> up;
  return sumUp(network, plan, ownFactors(network, plan), up);
}

Calibration calibrate(const Network& network, const SumPlan& plan) {
  const std::span<const int> domain = network.domain;
  const std::size_t count = plan.cliques.size();
  Calibration result;
  std::vector<Factor> own = ownFactors(network, plan);
  std::vector<Factor> up;
  result.possible = sumUp(network, plan, own, up);
  if (!result.possible) {
    return result;
  }
  // Back: each clique multiplies what its parent told it with its own
  // factors, and tells each child the product of that with what its other
  // children said.
  std::vector<Factor> down(count);
  result.beliefs.resize(count);
  for (std::size_t c = count; c-- > 0;) {
    const SumPlan::Clique& clique = plan.cliques[c];
    Factor base = std::move(own[c]);
    if (clique.parent >= 0) {
      multiplyInto(base, down[c], domain);
    }
    const std::vector<int>& children = clique.children;
    // after[i]: the product of the messages of children i, i + 1, ...
    std::vector<Factor> after(children.size() + 1);
    after[children.size()] = unit(clique.variables, domain);
    for (std::size_t i = children.size(); i-- > 0;) {
      after[i] = after[i + 1];
      multiplyInto(after[i], up[static_cast<std::size_t>(children[i])], domain);
    }
    Factor before = base;  // base times the messages of the children so far
    for (std::size_t i = 0; i < children.size(); ++i) {
      const auto child = static_cast<std::size_t>(children[i]);
      Factor others = before;
      multiplyInto(others, after[i + 1], domain);
      down[child] = sumOnto(others, plan.cliques[child].separator, domain);
      normalise(down[child]);
      multiplyInto(before, up[child], domain);
    }
    normalise(before);
    result.beliefs[c] = std::move(before);
  }
  return result;
}

Factor jointWeights(const Network& network, const SumPlan& plan, const Calibration& calibration,
                    const std::vector<VariableId>& variables) {
  assert(calibration.possible && !variables.empty());
  // The clique eliminated first among them holds them all, when they share
  // one.
  int clique = -1;
  for (const VariableId v : variables) {
    const int at = plan.clique_of[static_cast<std::size_t>(v)];
    clique = clique < 0 ? at : std::min(clique, at);
  }
  const Factor& belief = calibration.beliefs[static_cast<std::size_t>(clique)];
  assert(std::includes(belief.scope.begin(), belief.scope.end(), variables.begin(),
                       variables.end()));
  return sumOnto(belief, variables, network.domain);
}

}  // namespace quorvale
