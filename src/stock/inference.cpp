#include "stock/inference.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <functional>
#include <map>
#include <numeric>
#include <utility>

#include "stock/inheritance_weights.h"

namespace quorvale {

namespace {

// The states of a set, in ascending order.
std::vector<int> statesIn(StateSet set) {
  std::vector<int> states;
  for (int s = 0; s < kYellowStates; ++s) {
    if ((set >> s & 1u) != 0) {
      states.push_back(s);
    }
  }
  return states;
}

// A founder's weight of state s of gene g: each mutant allele ε, counted as
// the simplest genotype counts it, with the number of ways to have it (a
// single mutant allele of two: 2).
Weight founderWeight(GeneIndex g, int s) {
  const int alleles = allelesOfState(g, s);
  const bool one_of_two = countOfState(g, s) == 1;
  return Weight::of(alleles, one_of_two ? 2 : 1);
}

// The coat's boxes narrowed to what the animal's domain allows, empty
// boxes dropped.
std::vector<GeneBox> narrowed(const std::vector<GeneBox>& coat, const GeneBox& domain) {
  std::vector<GeneBox> boxes;
  for (const GeneBox& box : coat) {
    GeneBox both{};
    bool empty = false;
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      both[static_cast<std::size_t>(g)] =
          box[static_cast<std::size_t>(g)] & domain[static_cast<std::size_t>(g)];
      empty = empty || both[static_cast<std::size_t>(g)] == 0;
    }
    if (!empty) {
      boxes.push_back(both);
    }
  }
  return boxes;
}

// What a record allows at each gene, before its coat: its sex, being born,
// its known genes.
GeneBox recordDomain(const StockAnimal& animal) {
  GeneBox domain{};
  for (GeneIndex g = 0; g < GeneCount; ++g) {
    domain[static_cast<std::size_t>(g)] = static_cast<StateSet>(
        statesOfSex(g, animal.sex) & bornStates(g) & animal.known[static_cast<std::size_t>(g)]);
  }
  return domain;
}

// A factor over some variables (in any order), its entries from a function
// of their values in that order.
Factor factorOver(const Network& network, std::vector<VariableId> variables,
                  const std::function<Weight(const std::vector<int>&)>& entry) {
  std::vector<std::size_t> order(variables.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return variables[a] < variables[b]; });
  Factor factor;
  for (const std::size_t i : order) {
    factor.scope.push_back(variables[i]);
  }
  assert(std::adjacent_find(factor.scope.begin(), factor.scope.end()) == factor.scope.end());
  std::size_t entries = 1;
  for (const VariableId v : factor.scope) {
    entries *= static_cast<std::size_t>(network.domain[static_cast<std::size_t>(v)]);
  }
  factor.table.reserve(entries);
  std::vector<int> digit(factor.scope.size(), 0);
  std::vector<int> values(variables.size(), 0);
  for (std::size_t e = 0; e < entries; ++e) {
    for (std::size_t k = 0; k < order.size(); ++k) {
      values[order[k]] = digit[k];
    }
    factor.table.push_back(entry(values));
    for (std::size_t k = digit.size(); k-- > 0;) {
      if (++digit[k] < network.domain[static_cast<std::size_t>(factor.scope[k])]) {
        break;
      }
      digit[k] = 0;
    }
  }
  return factor;
}

// The most entries a table over the tied genes of young's parents may
// have; past it the young's boxes become a variable of their own.
constexpr std::uint64_t kMostTiedEntries = 4096;

// How many ways there are to split `young` young among `boxes` boxes,
// counted up to a little past kMostTiedEntries: the binomial coefficient
// (young + boxes - 1 over boxes - 1).
std::uint64_t splitCount(int young, std::size_t boxes) {
  std::uint64_t count = 1;
  for (std::size_t i = 1; i < boxes; ++i) {
    count = count * (static_cast<std::uint64_t>(young) + i) / i;
    if (count > kMostTiedEntries) {
      return kMostTiedEntries + 1;
    }
  }
  return count;
}

// Every way to split `young` young among `boxes` boxes: how many in each.
std::vector<std::vector<int>> splitsOf(int young, std::size_t boxes) {
  std::vector<std::vector<int>> splits;
  std::vector<int> counts(boxes, 0);
  const auto fill = [&](auto& self, std::size_t b, int left) -> void {
    if (b + 1 == boxes) {
      counts[b] = left;
      splits.push_back(counts);
      return;
    }
    for (int n = left; n >= 0; --n) {
      counts[b] = n;
      self(self, b + 1, left - n);
    }
  };
  fill(fill, 0, young);
  return splits;
}

// The ways to choose which young have which box: young! / (n1! n2! ...).
Integer waysToChoose(const std::vector<int>& counts) {
  Integer ways = 1;
  int taken = 0;
  for (const int n : counts) {
    for (int i = 1; i <= n; ++i) {
      ++taken;
      ways = ways * taken / i;
    }
  }
  return ways;
}

}  // namespace

StockModel::StockModel(const Stock& stock, std::uint16_t genes) : genes_(genes) {
  const std::size_t count = stock.animals.size();
  animals_.resize(count);
  // Each animal's genes are variables, the named ones' and those of the
  // parents records leave out: a file of too many is refused before any
  // table is made.
  std::uint64_t animals = 0;
  for (const StockAnimal& animal : stock.animals) {
    animals += animal.name.empty() ? 0 : 1;
    if (!animal.isFounder()) {
      animals += (animal.father == StockAnimal::kUnknownParent ? 1 : 0) +
                 (animal.mother == StockAnimal::kUnknownParent ? 1 : 0);
    }
  }
  if (animals * static_cast<std::uint64_t>(std::popcount(genes)) > kMostStockVariables) {
    too_big_ = true;
    return;
  }

  // One animal's variables: one per gene, over the states it may take.
  const auto make_genes = [&](const GeneBox& domain) {
    Genes genes;
    genes.variable.fill(-1);
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      if (!modelled(g)) {
        continue;
      }
      genes.states[static_cast<std::size_t>(g)] = statesIn(domain[static_cast<std::size_t>(g)]);
      genes.variable[static_cast<std::size_t>(g)] = network_.addVariable(
          std::max<int>(1, static_cast<int>(genes.states[static_cast<std::size_t>(g)].size())));
    }
    return genes;
  };
  // A founder's prior: ε for each unseen mutant allele, or the chance stated.
  const auto add_prior = [&](const Genes& genes, const StockAnimal* animal) {
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      if (!modelled(g)) {
        continue;
      }
      const std::vector<int>& states = genes.states[static_cast<std::size_t>(g)];
      const std::optional<GenePrior>* prior =
          animal == nullptr ? nullptr : &animal->priors[static_cast<std::size_t>(g)];
      network_.addFactor(factorOver(network_, {genes.variable[static_cast<std::size_t>(g)]},
                                    [&](const std::vector<int>& v) {
                                      if (states.empty()) {
                                        return Weight::zero();
                                      }
                                      const int s = states[static_cast<std::size_t>(v[0])];
                                      if (prior == nullptr || !prior->has_value()) {
                                        return founderWeight(g, s);
                                      }
                                      const GenePrior& p = **prior;
                                      const Ratio chance = lowestTerms(p.chance);
                                      if (s == p.state) {
                                        return Weight{0, chance.numerator};
                                      }
                                      if (s == p.rest) {
                                        return Weight{0, chance.denominator - chance.numerator};
                                      }
                                      return Weight::zero();
                                    }));
    }
  };
  // The founder that stands for a parent a record leaves out.
  const auto unrecorded_parent = [&](Sex sex) {
    StockAnimal parent;
    parent.sex = sex;
    parent.known.fill(0xFF);
    Genes genes = make_genes(recordDomain(parent));
    add_prior(genes, nullptr);
    return genes;
  };

  // What each record's coat and domain allow: its boxes, and their union
  // gene by gene.
  std::vector<std::vector<GeneBox>> boxes_of(count);
  std::vector<GeneBox> allowed_of(count);
  for (std::size_t a = 0; a < count; ++a) {
    const StockAnimal& animal = stock.animals[a];
    boxes_of[a] = narrowed(animal.coat, recordDomain(animal));
    for (const GeneBox& box : boxes_of[a]) {
      for (GeneIndex g = 0; g < GeneCount; ++g) {
        allowed_of[a][static_cast<std::size_t>(g)] |= box[static_cast<std::size_t>(g)];
      }
    }
  }
  // The named animals first, so that every parent has its variables.
  for (std::size_t a = 0; a < count; ++a) {
    if (!stock.animals[a].name.empty()) {
      animals_[a] = make_genes(allowed_of[a]);
    }
  }
  for (std::size_t a = 0; a < count; ++a) {
    const StockAnimal& animal = stock.animals[a];
    const std::vector<GeneBox>& boxes = boxes_of[a];
    const GeneBox& allowed = allowed_of[a];
    const bool named = !animal.name.empty();
    if (boxes.empty()) {
      // Its own records cannot be true together.
      network_.addFactor(Factor{{}, {Weight::zero()}});
      continue;
    }
    if (animal.isFounder() && !named) {
      // Young of two founders nobody else descends from: they tell nothing
      // of anyone in the file.
      continue;
    }
    // The parents' variables.
    std::optional<Genes> father_genes;
    std::optional<Genes> mother_genes;
    const Genes* father = nullptr;
    const Genes* mother = nullptr;
    if (!animal.isFounder()) {
      if (animal.father == StockAnimal::kUnknownParent) {
        father_genes = unrecorded_parent(Sex::Male);
        father = &*father_genes;
      } else {
        father = &*animals_[static_cast<std::size_t>(animal.father)];
      }
      if (animal.mother == StockAnimal::kUnknownParent) {
        mother_genes = unrecorded_parent(Sex::Female);
        mother = &*mother_genes;
      } else {
        mother = &*animals_[static_cast<std::size_t>(animal.mother)];
      }
    }
    // The genes its coat ties together: those whose boxes differ.
    std::vector<GeneIndex> tied;
    for (GeneIndex g = 0; g < GeneCount && boxes.size() > 1; ++g) {
      if (!modelled(g)) {
        continue;
      }
      for (const GeneBox& box : boxes) {
        if (box[static_cast<std::size_t>(g)] != boxes.front()[static_cast<std::size_t>(g)]) {
          tied.push_back(g);
          break;
        }
      }
    }
    if (named) {
      const Genes& genes = *animals_[a];
      if (animal.isFounder()) {
        add_prior(genes, &animal);
      } else {
        for (GeneIndex g = 0; g < GeneCount; ++g) {
          if (!modelled(g)) {
            continue;
          }
          const auto i = static_cast<std::size_t>(g);
          const std::vector<int>& fs = father->states[i];
          const std::vector<int>& ms = mother->states[i];
          const std::vector<int>& ys = genes.states[i];
          network_.addFactor(factorOver(
              network_, {father->variable[i], mother->variable[i], genes.variable[i]},
              [&](const std::vector<int>& v) {
                if (fs.empty() || ms.empty() || ys.empty()) {
                  return Weight::zero();
                }
                return Weight::of(0, inheritanceWeight(g, fs[static_cast<std::size_t>(v[0])],
                                                       ms[static_cast<std::size_t>(v[1])],
                                                       ys[static_cast<std::size_t>(v[2])]));
              }));
        }
      }
      if (!tied.empty()) {
        // The box its coat is: one more variable, tied to each gene the
        // boxes tell apart.
        const VariableId box = network_.addVariable(static_cast<int>(boxes.size()));
        for (const GeneIndex g : tied) {
          const auto i = static_cast<std::size_t>(g);
          const std::vector<int>& ys = genes.states[i];
          network_.addFactor(
              factorOver(network_, {box, genes.variable[i]}, [&](const std::vector<int>& v) {
                const StateSet set = boxes[static_cast<std::size_t>(v[0])][i];
                return (set >> ys[static_cast<std::size_t>(v[1])] & 1u) != 0 ? Weight::of(0, 1)
                                                                             : Weight::zero();
              }));
        }
      }
      continue;
    }

    // Young recorded only as evidence: the weight that each has its record
    // given its parents, to the power of how many they are.
    const auto young_weight = [&](GeneIndex g, StateSet set, int f, int m) {
      std::uint64_t sum = 0;
      for (int y = 0; y < stateCount(g); ++y) {
        if ((set >> y & 1u) != 0) {
          sum += inheritanceWeight(g, f, m, y);
        }
      }
      return sum;
    };
    const auto exponent = static_cast<unsigned>(animal.count);
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      if (!modelled(g) || std::find(tied.begin(), tied.end(), g) != tied.end()) {
        continue;
      }
      const auto i = static_cast<std::size_t>(g);
      const std::vector<int>& fs = father->states[i];
      const std::vector<int>& ms = mother->states[i];
      network_.addFactor(factorOver(
          network_, {father->variable[i], mother->variable[i]}, [&](const std::vector<int>& v) {
            if (fs.empty() || ms.empty()) {
              return Weight::zero();
            }
            const std::uint64_t w = young_weight(g, allowed[i], fs[static_cast<std::size_t>(v[0])],
                                                 ms[static_cast<std::size_t>(v[1])]);
            return w == 0 ? Weight::zero() : power(Weight::of(0, w), exponent);
          }));
    }
    if (!tied.empty()) {
      // The tied genes of both parents together: for each young, the sum
      // over the boxes of the product of each gene's weight.
      std::vector<VariableId> variables;
      std::uint64_t entries = 1;
      for (const GeneIndex g : tied) {
        for (const Genes* parent : {father, mother}) {
          const VariableId v = parent->variable[static_cast<std::size_t>(g)];
          variables.push_back(v);
          entries *= static_cast<std::uint64_t>(network_.domain[static_cast<std::size_t>(v)]);
        }
      }
      const auto box_weight = [&](const GeneBox& box, std::size_t k, int f, int m) {
        const auto i = static_cast<std::size_t>(tied[k]);
        const std::vector<int>& fs = father->states[i];
        const std::vector<int>& ms = mother->states[i];
        if (fs.empty() || ms.empty()) {
          return std::uint64_t{0};
        }
        return young_weight(tied[k], box[i], fs[static_cast<std::size_t>(f)],
                            ms[static_cast<std::size_t>(m)]);
      };
      if (entries <= kMostTiedEntries) {
        network_.addFactor(factorOver(network_, variables, [&](const std::vector<int>& v) {
          Integer sum = 0;
          for (const GeneBox& box : boxes) {
            Integer product = 1;
            for (std::size_t k = 0; k < tied.size() && product != 0; ++k) {
              product *= box_weight(box, k, v[2 * k], v[2 * k + 1]);
            }
            sum += product;
          }
          return sum == 0 ? Weight::zero() : power(Weight{0, sum}, exponent);
        }));
        continue;
      }
      // Too many genes for one table: a variable instead, how many of the
      // young have each box (the young are alike, so only the numbers
      // matter), weighed by the ways to choose them, and a table per gene.
      if (splitCount(animal.count, boxes.size()) > kMostTiedEntries) {
        too_big_ = true;
        continue;
      }
      const std::vector<std::vector<int>> splits = splitsOf(animal.count, boxes.size());
      const VariableId split = network_.addVariable(static_cast<int>(splits.size()));
      network_.addFactor(factorOver(network_, {split}, [&](const std::vector<int>& v) {
        return Weight{0, waysToChoose(splits[static_cast<std::size_t>(v[0])])};
      }));
      for (std::size_t k = 0; k < tied.size(); ++k) {
        network_.addFactor(factorOver(
            network_, {split, variables[2 * k], variables[2 * k + 1]},
            [&](const std::vector<int>& v) {
              Integer product = 1;
              const std::vector<int>& counts = splits[static_cast<std::size_t>(v[0])];
              for (std::size_t b = 0; b < boxes.size() && product != 0; ++b) {
                if (counts[b] > 0) {
                  product *= quorvale::power(Integer(box_weight(boxes[b], k, v[1], v[2])),
                                             static_cast<unsigned>(counts[b]));
                }
              }
              return product == 0 ? Weight::zero() : Weight{0, product};
            }));
      }
    }
  }

  // Each named animal's genes are asked for one by one.
  std::vector<std::vector<VariableId>> queries;
  for (const std::optional<Genes>& genes : animals_) {
    if (genes) {
      for (GeneIndex g = 0; g < GeneCount; ++g) {
        if (modelled(g)) {
          query_of_[genes->variable[static_cast<std::size_t>(g)]] = queries.size();
          queries.push_back({genes->variable[static_cast<std::size_t>(g)]});
        }
      }
    }
  }
  plan_ = planSums(network_, std::move(queries), kMostStockCost);
}

const std::vector<int>& StockModel::states(std::size_t animal, GeneIndex g) const {
  return animals_[animal]->states[static_cast<std::size_t>(g)];
}

std::optional<StockModel::Joint> StockModel::joint(const std::vector<std::size_t>& animals,
                                                   const std::vector<Evidence>& evidence,
                                                   bool only_evidence) const {
  if (too_big_) {
    return std::nullopt;
  }
  // The parts of the network: variables joined by a factor share a part.
  const std::size_t n = network_.domain.size();
  std::vector<std::size_t> root(n);
  std::iota(root.begin(), root.end(), std::size_t{0});
  const auto find = [&](std::size_t v) {
    while (root[v] != v) {
      root[v] = root[root[v]];
      v = root[v];
    }
    return v;
  };
  for (const Factor& f : network_.factors) {
    for (std::size_t i = 1; i < f.scope.size(); ++i) {
      root[find(static_cast<std::size_t>(f.scope[i]))] = find(static_cast<std::size_t>(f.scope[0]));
    }
  }
  // The animals' genes by part, and the network of those parts alone, its
  // variables numbered afresh.
  std::map<std::size_t, std::vector<JointMember>> by_part;
  std::map<std::size_t, std::vector<VariableId>> variables_of;
  for (const std::size_t a : animals) {
    assert(animals_[a].has_value());
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      if (!modelled(g)) {
        continue;
      }
      const VariableId v = animals_[a]->variable[static_cast<std::size_t>(g)];
      const std::size_t part = find(static_cast<std::size_t>(v));
      by_part[part].push_back({a, g, animals_[a]->states[static_cast<std::size_t>(g)]});
      variables_of[part].push_back(v);
    }
  }
  // A part of one member, with no evidence on it, is that gene's own
  // weights, which one sum of the whole network gives for every animal.
  std::vector<JointPart> known;
  if (evidence.empty() && cost() <= kMostStockCost) {
    const Sums& all = marginals();
    if (!all.possible) {
      return Joint{false, {}};
    }
    for (auto at = by_part.begin(); at != by_part.end();) {
      if (at->second.size() != 1) {
        ++at;
        continue;
      }
      const JointMember& member = at->second.front();
      const VariableId v = animals_[member.animal]->variable[static_cast<std::size_t>(member.gene)];
      known.push_back({at->second, all.queries[query_of_.at(v)]});
      known.back().table.scope = {0};
      variables_of.erase(at->first);
      at = by_part.erase(at);
    }
    // A part summed before, for the same genes, is the same again.
    for (auto at = by_part.begin(); at != by_part.end();) {
      std::vector<VariableId> key = variables_of[at->first];
      std::sort(key.begin(), key.end());
      const auto found = summed_.find(key);
      if (found == summed_.end()) {
        ++at;
        continue;
      }
      known.push_back(found->second);
      variables_of.erase(at->first);
      at = by_part.erase(at);
    }
  }
  if (only_evidence) {
    std::map<std::size_t, std::vector<JointMember>> kept;
    for (const Evidence& e : evidence) {
      const std::size_t part = find(
          static_cast<std::size_t>(animals_[e.animal]->variable[static_cast<std::size_t>(e.gene)]));
      if (by_part.count(part) != 0) {
        kept[part] = by_part[part];
      }
    }
    by_part = std::move(kept);
  }
  std::vector<VariableId> renumbered(n, -1);
  Network part_network;
  for (std::size_t v = 0; v < n; ++v) {
    if (by_part.count(find(v)) != 0) {
      renumbered[v] = part_network.addVariable(network_.domain[v]);
    }
  }
  for (const Factor& f : network_.factors) {
    if (f.scope.empty() || renumbered[static_cast<std::size_t>(f.scope.front())] < 0) {
      // A factor of no variable says whether anything is possible at all.
      if (f.scope.empty()) {
        part_network.factors.push_back(f);
      }
      continue;
    }
    Factor copy = f;
    for (VariableId& v : copy.scope) {
      v = renumbered[static_cast<std::size_t>(v)];
    }
    part_network.addFactor(std::move(copy));
  }
  for (const Evidence& e : evidence) {
    assert(animals_[e.animal].has_value() && modelled(e.gene));
    const auto i = static_cast<std::size_t>(e.gene);
    const VariableId v = renumbered[static_cast<std::size_t>(animals_[e.animal]->variable[i])];
    if (v < 0) {
      continue;
    }
    const std::vector<int>& states = animals_[e.animal]->states[i];
    Factor f{{v}, {}};
    for (const int s : states) {
      f.table.push_back(e.of_state[static_cast<std::size_t>(s)]);
    }
    if (f.table.empty()) {
      f.table.push_back(Weight::zero());
    }
    part_network.addFactor(std::move(f));
  }
  // One query per part: its members' variables, ascending.
  std::vector<std::vector<VariableId>> queries;
  std::vector<std::vector<JointMember>> members;
  std::vector<std::vector<VariableId>> keys;  // each query's variables in the whole network
  for (auto& [part, list] : by_part) {
    keys.push_back(variables_of[part]);
    std::sort(keys.back().begin(), keys.back().end());
    std::vector<std::pair<VariableId, JointMember>> keyed;
    for (std::size_t i = 0; i < list.size(); ++i) {
      keyed.emplace_back(renumbered[static_cast<std::size_t>(variables_of[part][i])],
                         std::move(list[i]));
    }
    std::sort(keyed.begin(), keyed.end(),
              [](const auto& x, const auto& y) { return x.first < y.first; });
    std::vector<VariableId> query;
    std::vector<JointMember> ordered;
    for (auto& [v, member] : keyed) {
      query.push_back(v);
      ordered.push_back(std::move(member));
    }
    queries.push_back(std::move(query));
    members.push_back(std::move(ordered));
  }
  Joint joint;
  joint.parts = std::move(known);
  if (queries.empty()) {
    return joint;
  }
  const SumPlan plan = planSums(part_network, queries, kMostStockCost);
  if (plan.cost > kMostStockCost) {
    return std::nullopt;
  }
  Sums sums = sumNetwork(part_network, plan);
  joint.possible = sums.possible;
  if (!sums.possible) {
    joint.parts.clear();
    return joint;
  }
  for (std::size_t q = 0; q < queries.size(); ++q) {
    joint.parts.push_back({std::move(members[q]), std::move(sums.queries[q])});
    if (evidence.empty()) {
      summed_.emplace(std::move(keys[q]), joint.parts.back());
    }
  }
  return joint;
}

bool StockModel::possible() const {
  assert(cost() <= kMostStockCost);
  return anyWeight(network_, plan_);
}

const Sums& StockModel::marginals() const {
  assert(cost() <= kMostStockCost);
  if (!marginals_) {
    marginals_ = sumNetwork(network_, plan_);
  }
  return *marginals_;
}

std::optional<std::vector<StockModel::Weights>> StockModel::weights() const {
  const Sums& sums = marginals();
  if (!sums.possible) {
    return std::nullopt;
  }
  std::vector<Weights> result(animals_.size());
  std::size_t query = 0;  // in the order the queries were made
  for (std::size_t a = 0; a < animals_.size(); ++a) {
    if (!animals_[a]) {
      continue;
    }
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      if (!modelled(g)) {
        continue;
      }
      const auto i = static_cast<std::size_t>(g);
      const Factor& marginal = sums.queries[query++];
      const std::vector<int>& states = animals_[a]->states[i];
      for (std::size_t k = 0; k < states.size(); ++k) {
        result[a].of_state[i][static_cast<std::size_t>(states[k])] = marginal.table[k];
      }
    }
  }
  return result;
}

}  // namespace quorvale
