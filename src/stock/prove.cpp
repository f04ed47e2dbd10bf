#include "stock/prove.h"

#include <algorithm>
#include <cassert>
#include <map>
#include <tuple>
#include <utility>

#include "genetics/genotype_text.h"
#include "litter/analysis.h"
#include "litter/mating.h"
#include "litter/phenotype_groups.h"
#include "phenotype/colour_words.h"
#include "phenotype/description.h"
#include "stock/coat_boxes.h"
#include "stock/inference.h"
#include "stock/possible_groups.h"
#include "stock/stock_answer.h"
#include "stock/stock_litter_report.h"
#include "text/messages.h"
#include "text/utf8.h"

namespace quorvale {

namespace {

Ratio powerOf(const Ratio& a, std::uint64_t n) {
  return {power(a.numerator, static_cast<unsigned>(n)),
          power(a.denominator, static_cast<unsigned>(n))};
}

// a <= b, exactly.
bool atMost(const Ratio& a, const Ratio& b) {
  return a.numerator * b.denominator <= b.numerator * a.denominator;
}

bool isZero(const Ratio& a) { return a.numerator == 0; }

// The value of member k of a part's entry e.
int valueOf(const JointPart& part, std::size_t e, std::size_t k) {
  for (std::size_t m = part.members.size(); m-- > k + 1;) {
    e /= part.members[m].states.size();
  }
  return static_cast<int>(e % part.members[k].states.size());
}

// The part holding the animal's gene, and the member that is it.
std::pair<std::size_t, std::size_t> memberOf(const std::vector<JointPart>& parts,
                                             std::size_t animal, GeneIndex g) {
  for (std::size_t p = 0; p < parts.size(); ++p) {
    for (std::size_t k = 0; k < parts[p].members.size(); ++k) {
      if (parts[p].members[k].animal == animal && parts[p].members[k].gene == g) {
        return {p, k};
      }
    }
  }
  assert(false);
  return {0, 0};
}

// The parts with the animal's gene kept to the states of a set: every
// other entry of its part is zero.
std::vector<JointPart> keptTo(std::vector<JointPart> parts, std::size_t animal, GeneIndex g,
                              StateSet states) {
  const auto [p, k] = memberOf(parts, animal, g);
  JointPart& part = parts[p];
  for (std::size_t e = 0; e < part.table.table.size(); ++e) {
    const int s = part.members[k].states[static_cast<std::size_t>(valueOf(part, e, k))];
    if ((states >> s & 1u) == 0) {
      part.table.table[e] = Weight::zero();
    }
  }
  return parts;
}

// The least power of the entries of the part of the animal's gene with
// each state of it.
std::array<int, kYellowStates> statePowers(const std::vector<JointPart>& parts, std::size_t animal,
                                           GeneIndex g) {
  std::array<int, kYellowStates> powers;
  powers.fill(Weight::kZero);
  const auto [p, k] = memberOf(parts, animal, g);
  const JointPart& part = parts[p];
  for (std::size_t e = 0; e < part.table.table.size(); ++e) {
    const int s = part.members[k].states[static_cast<std::size_t>(valueOf(part, e, k))];
    int& at = powers[static_cast<std::size_t>(s)];
    at = std::min(at, part.table.table[e].power);
  }
  return powers;
}

// The summed coefficients of the entries of least power (0) of each state.
std::array<Integer, kYellowStates> stateCoefficients(const std::vector<JointPart>& parts,
                                                     std::size_t animal, GeneIndex g) {
  std::array<Integer, kYellowStates> sums{};
  const auto [p, k] = memberOf(parts, animal, g);
  const JointPart& part = parts[p];
  for (std::size_t e = 0; e < part.table.table.size(); ++e) {
    const Weight& w = part.table.table[e];
    if (!w.isZero() && w.power == 0) {
      sums[static_cast<std::size_t>(
          part.members[k].states[static_cast<std::size_t>(valueOf(part, e, k))])] += w.coefficient;
    }
  }
  return sums;
}

// The young of one joint genotype of the pair that are born, and the
// share of them that reveal: each by its colour line.
struct Cross {
  // The line (withoutWarnings of the group's key) and its chance of 2^28.
  std::vector<std::pair<std::uint64_t, std::uint64_t>> lines;
  std::uint64_t born = 0;
};

// One pair of animals tested together: the tested animal and a mate of
// the file or the best mate that need not be in it.
class Pairing {
 public:
  // The tested animal's parts given a state of one gene, by gene and
  // state, shared by the pairings of one animal.
  using AloneGiven = std::map<std::pair<GeneIndex, int>, std::vector<JointPart>>;

  Pairing(const StockModel& model, std::size_t tested, std::size_t mate, bool mate_is_male,
          std::vector<JointPart> parts, std::vector<JointPart> fixed_mate, AloneGiven* alone_given)
      : model_(model),
        alone_given_(alone_given),
        tested_(tested),
        mate_(mate),
        male_(mate_is_male ? mate : tested),
        female_(mate_is_male ? tested : mate),
        parts_(std::move(parts)),
        fixed_(std::move(fixed_mate)) {}

  // The pair's joint with the tested animal's gene g in state s, or
  // nothing when it would cost too much.
  std::optional<std::vector<JointPart>> given(GeneIndex g, int s, bool has_chance) const {
    std::vector<JointPart> parts;
    if (has_chance) {
      parts = keptTo(parts_, tested_, g, static_cast<StateSet>(1u << s));
    } else {
      // The evidence changes only the part of the tested animal's gene:
      // when the mate has no gene in it, that part is the tested animal's
      // alone, the same for every such mate.
      const std::size_t p = memberOf(parts_, tested_, g).first;
      const bool shared = std::any_of(parts_[p].members.begin(), parts_[p].members.end(),
                                      [&](const JointMember& m) { return m.animal != tested_; });
      std::vector<JointPart>* cached = nullptr;
      if (!shared) {
        cached = &(*alone_given_)[{g, s}];
      }
      std::vector<JointPart> given_parts;
      if (cached != nullptr && !cached->empty()) {
        given_parts = *cached;
      } else {
        StockModel::Evidence evidence{tested_, g, {}};
        evidence.of_state[static_cast<std::size_t>(s)] = Weight::of(0, 1);
        std::vector<std::size_t> animals{tested_};
        if (shared) {
          animals.push_back(mate_);
        }
        const std::optional<StockModel::Joint> joint = model_.joint(animals, {evidence}, true);
        if (!joint) {
          return std::nullopt;
        }
        assert(joint->possible);
        given_parts = joint->parts;
        if (cached != nullptr) {
          *cached = given_parts;
        }
      }
      parts = parts_;
      parts.erase(parts.begin() + static_cast<std::ptrdiff_t>(p));
      parts.insert(parts.end(), given_parts.begin(), given_parts.end());
    }
    parts.insert(parts.end(), fixed_.begin(), fixed_.end());
    return parts;
  }

  // Whether a young of this line reveals that the tested animal's gene g
  // is in none of the states `below`: no reading of the file with it there
  // lets the pair have such a young.
  bool reveals(GeneIndex g, StateSet below, std::uint64_t line) {
    if (below_gene_ != g || below_ != below) {
      below_gene_ = g;
      below_ = below;
      below_parts_ = keptTo(parts_, tested_, g, below);
      below_parts_.insert(below_parts_.end(), fixed_.begin(), fixed_.end());
      reveals_.clear();
    }
    const auto [at, fresh] = reveals_.try_emplace(line, false);
    if (fresh) {
      const DescriptionKey key{line};
      at->second = !canHaveLine(below_parts_, male_, boxesOf(withoutSex(key)), sexShownOf(key));
    }
    return at->second;
  }

  // The boxes of a line without its sex, worked out once.
  const std::vector<GeneBox>& boxesOf(DescriptionKey bare) {
    auto [at, fresh] = boxes_.try_emplace(bare.bits);
    if (fresh) {
      at->second = coatBoxes(std::span(&bare, 1));
    }
    return at->second;
  }

  std::size_t male() const { return male_; }
  std::size_t female() const { return female_; }

  // The cross of two genotypes, worked out once.
  const Cross& cross(const Genotype& male, const Genotype& female) {
    const auto key = std::pair(genotypeText(male), genotypeText(female));
    const auto found = crosses_.find(key);
    if (found != crosses_.end()) {
      return found->second;
    }
    Cross cross;
    const GroupedLitter grouped = groupLitter(male, female, Language::English);
    for (const PhenotypeGroup& group : grouped.groups) {
      if (group.coat.kind != CoatKind::Lethal) {
        cross.lines.emplace_back(withoutWarnings(group.key).bits, group.chance);
        cross.born += group.chance;
      }
    }
    return crosses_.emplace(key, std::move(cross)).first->second;
  }

 private:
  const StockModel& model_;
  AloneGiven* alone_given_;
  std::size_t tested_;
  std::size_t mate_;
  std::size_t male_;
  std::size_t female_;
  std::vector<JointPart> parts_;  // the pair's joint given the file
  std::vector<JointPart> fixed_;  // the best mate's genes, when it is that
  std::map<std::pair<std::u32string, std::u32string>, Cross> crosses_;
  // The readings with the tested gene in the states below, and what the
  // lines met reveal against them.
  GeneIndex below_gene_ = -1;
  StateSet below_ = 0;
  std::vector<JointPart> below_parts_;
  std::map<std::uint64_t, bool> reveals_;
  std::map<std::uint64_t, std::vector<GeneBox>> boxes_;
};

// What a mate's young tell of one state: each share of young that reveal,
// with the chance of the joint genotypes that have it.
struct RevealShares {
  std::map<std::pair<Integer, Integer>, Ratio> chance_of;  // r (lowest terms) -> P
  Ratio reveal = ratio(0, 1);
  std::map<MessageId, Ratio> warnings;
};

enum class Outcome : std::uint8_t { Done, TooCostly, TooManyGenotypes };

Outcome revealShares(Pairing& pairing, GeneIndex g, int s, bool has_chance, StateSet below,
                     RevealShares& shares) {
  const std::optional<std::vector<JointPart>> parts = pairing.given(g, s, has_chance);
  if (!parts) {
    return Outcome::TooCostly;
  }
  if (parentGenotypeCount(*parts) > kMostParentGenotypes) {
    return Outcome::TooManyGenotypes;
  }
  for (const ParentGenotypes& pair : parentGenotypes(*parts, pairing.male(), pairing.female())) {
    const Cross& cross = pairing.cross(pair.male, pair.female);
    std::uint64_t revealing = 0;
    for (const auto& [line, chance] : cross.lines) {
      if (pairing.reveals(g, below, line)) {
        revealing += chance;
      }
    }
    const Ratio r = lowestTerms(ratio(revealing, cross.born));
    auto [at, inserted] = shares.chance_of.try_emplace({r.numerator, r.denominator}, ratio(0, 1));
    at->second = sumOf(at->second, pair.chance);
    shares.reveal = sumOf(shares.reveal, productOf(pair.chance, r));
    std::vector<MessageId> found;
    matingWarnings(pair.male, pair.female, found);
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    for (const MessageId w : found) {
      auto [warning, fresh] = shares.warnings.try_emplace(w, ratio(0, 1));
      warning->second = sumOf(warning->second, pair.chance);
    }
  }
  return Outcome::Done;
}

// The chance that a carrier shows nothing in k young: sum of P (1 - r)^k,
// not in lowest terms (its parts grow with k, and it is only compared).
Ratio missAfter(const RevealShares& shares, std::uint64_t k) {
  Ratio miss = ratio(0, 1);
  for (const auto& [r, chance] : shares.chance_of) {
    const Ratio term = powerOf({r.second - r.first, r.second}, k);
    miss = {miss.numerator * term.denominator * chance.denominator +
                term.numerator * chance.numerator * miss.denominator,
            miss.denominator * term.denominator * chance.denominator};
  }
  return miss;
}

// The smallest n from 1 to most with f(n) true, f growing false to true;
// none when f(most) is false.
template <typename Test>
std::optional<std::uint64_t> smallest(std::uint64_t most, const Test& test) {
  std::uint64_t high = 1;
  while (!test(high)) {
    if (high >= most) {
      return std::nullopt;
    }
    high = std::min(most, high * 2);
  }
  std::uint64_t low = high / 2;  // test(low) is false, or low is 0
  while (high - low > 1) {
    const std::uint64_t mid = low + (high - low) / 2;
    (test(mid) ? high : low) = mid;
  }
  return high;
}

// The chance of the tested state (at least it) after the misses: the
// states at and above it weighed by their misses, the others as they were.
Ratio chanceAfter(const std::vector<std::pair<Ratio, Ratio>>& above, const Ratio& below) {
  Ratio kept = ratio(0, 1);
  for (const auto& [chance, miss] : above) {
    kept = sumOf(kept, productOf(chance, miss));
  }
  const Ratio all = sumOf(kept, below);
  return lowestTerms({kept.numerator * all.denominator, kept.denominator * all.numerator});
}

// The mutant alleles of a genotype, as the simplest genotype counts them.
int mutantAlleles(const Genotype& g) {
  int count = 0;
  for (GeneIndex i = 0; i < GeneCount; ++i) {
    const int c = g.alleleCount[static_cast<std::size_t>(i)];
    count += isSexLinked(i) && sexOf(g) == Sex::Male && c == 2 ? 1 : c;
  }
  return count;
}

// The animal alone, known by its own records (coat, sex, genes) as a
// founder without relatives.
Stock aloneOf(const StockAnimal& animal) {
  StockAnimal alone = animal;
  alone.father = StockAnimal::kUnknownParent;
  alone.mother = StockAnimal::kUnknownParent;
  return Stock{{alone}};
}

// The ratio of the coefficients of states t and s0 of the animal's gene g
// once their powers are made equal, and how much more power t needs.
std::optional<std::pair<Ratio, int>> oddsOf(const StockModel& model, std::size_t animal,
                                            GeneIndex g, int t, int s0) {
  const std::optional<StockModel::Joint> joint = model.joint({animal});
  if (!joint || !joint->possible) {
    return std::nullopt;
  }
  const std::array<int, kYellowStates> powers = statePowers(joint->parts, animal, g);
  const int d = powers[static_cast<std::size_t>(t)] - powers[static_cast<std::size_t>(s0)];
  StockModel::Evidence tilt{animal, g, {}};
  tilt.of_state[static_cast<std::size_t>(s0)] = Weight::of(std::max(0, d), 1);
  tilt.of_state[static_cast<std::size_t>(t)] = Weight::of(std::max(0, -d), 1);
  const std::optional<StockModel::Joint> tilted = model.joint({animal}, {tilt}, true);
  if (!tilted || !tilted->possible) {
    return std::nullopt;
  }
  const std::array<Integer, kYellowStates> c = stateCoefficients(tilted->parts, animal, g);
  return std::pair(lowestTerms({c[static_cast<std::size_t>(t)], c[static_cast<std::size_t>(s0)]}),
                   d);
}

std::optional<Ratio> oddsFactor(const Stock& stock, const StockModel& model, std::size_t animal,
                                GeneIndex g, int t, int s0) {
  const Stock alone = aloneOf(stock.animals[animal]);
  const StockModel alone_model(alone);
  const auto in_file = oddsOf(model, animal, g, t, s0);
  const auto by_itself = oddsOf(alone_model, 0, g, t, s0);
  if (!in_file || !by_itself || in_file->second != by_itself->second) {
    return std::nullopt;
  }
  const Ratio& a = in_file->first;
  const Ratio& b = by_itself->first;
  return lowestTerms({a.numerator * b.denominator, a.denominator * b.numerator});
}

// The genotypes a best mate may have: wild but at gene g, where it is
// wild or homozygous (for Yellow, of its sex), and born.
std::vector<Genotype> bestMateCandidates(GeneIndex g, Sex sex) {
  std::vector<Genotype> candidates;
  for (int s = 0; s < stateCount(g); ++s) {
    if ((statesOfSex(g, sex) >> s & 1u) == 0 || (bornStates(g) >> s & 1u) == 0 ||
        countOfState(g, s) == 1) {
      continue;
    }
    Genotype genotype;
    setSex(genotype, sex);
    genotype.alleleCount[static_cast<std::size_t>(g)] = countOfState(g, s);
    candidates.push_back(genotype);
  }
  return candidates;
}

// The best mate's genes as parts of a joint: one state each, for certain.
std::vector<JointPart> fixedParts(std::size_t mate, const Genotype& genotype) {
  std::vector<JointPart> parts;
  for (GeneIndex g = 0; g < GeneCount; ++g) {
    const int count = genotype.alleleCount[static_cast<std::size_t>(g)];
    const int s = stateOf(g, count, sexOf(genotype));
    parts.push_back({{{mate, g, {s}}}, Factor{{0}, {Weight::of(0, 1)}}});
  }
  return parts;
}

struct StateToTest {
  GeneIndex gene = 0;
  int state = 0;
  bool has_chance = false;
  StateSet below = 0;  // the states with fewer mutant alleles
  // Every state of the gene at and above it that is tested, with chances.
  std::vector<std::pair<int, Ratio>> above;
  Ratio below_chance = ratio(0, 1);
};

class Prover {
 public:
  Prover(const Stock& stock, std::size_t animal, const ProveOptions& options)
      : stock_(stock), animal_(animal), options_(options), model_(stock) {}

  ProveWork run() {
    ProveWork work;
    const StockAnimal& tested = stock_.animals[animal_];
    if (tested.sex == Sex::Unspecified) {
      work.fault = ProveFault::NoSex;
      return work;
    }
    const std::optional<std::vector<StockModel::Weights>> weights = model_.weights();
    assert(weights.has_value());
    std::vector<GeneAnswer> genes;
    if (options_.genes == 0) {
      genes = stockAnswers(stock_, *weights, {animal_}).front().genes;
    } else {
      for (GeneIndex g = 0; g < GeneCount; ++g) {
        if ((options_.genes >> g & 1u) != 0) {
          genes.push_back(geneAnswer(g, (*weights)[animal_]));
        }
      }
    }
    const std::vector<StateToTest> states = statesToTest(genes);
    if (states.empty()) {
      return work;
    }
    // The pairs: each animal of the other sex, and the best mates.
    const Sex mate_sex = tested.sex == Sex::Male ? Sex::Female : Sex::Male;
    const bool mate_is_male = mate_sex == Sex::Male;
    const std::optional<StockModel::Joint> alone = model_.joint({animal_});
    if (!alone) {
      work.fault = ProveFault::TooCostly;
      return work;
    }
    std::vector<std::optional<std::size_t>> animals;
    std::vector<Pairing> pairings;
    for (std::size_t m = 0; m < stock_.animals.size(); ++m) {
      const StockAnimal& mate = stock_.animals[m];
      if (m == animal_ || mate.name.empty() || mate.sex != mate_sex) {
        continue;
      }
      const std::optional<StockModel::Joint> joint = model_.joint({animal_, m});
      if (!joint) {
        work.fault = ProveFault::TooCostly;
        return work;
      }
      animals.emplace_back(m);
      pairings.emplace_back(model_, animal_, m, mate_is_male, joint->parts,
                            std::vector<JointPart>{}, &alone_given_);
    }
    const std::size_t hypothetical = stock_.animals.size();
    for (const StateToTest& state : states) {
      TestedState answer;
      answer.gene = state.gene;
      answer.state = state.state;
      answer.possible = !state.has_chance;
      for (const auto& [s, chance] : state.above) {
        if (s == state.state) {
          answer.chance = chance;
        }
      }
      if (!state.has_chance) {
        const int s0 = lowestState(state.gene, state.below);
        answer.odds_factor = oddsFactor(stock_, model_, animal_, state.gene, state.state, s0);
      }
      // The best mate not in the file.
      std::optional<TestMate> best;
      for (const Genotype& genotype : bestMateCandidates(state.gene, mate_sex)) {
        Pairing pairing(model_, animal_, hypothetical, mate_is_male, alone->parts,
                        fixedParts(hypothetical, genotype), &alone_given_);
        TestMate mate;
        mate.genotype = genotype;
        const Outcome outcome = figuresOf(pairing, state, mate);
        if (outcome != Outcome::Done) {
          work.fault = faultOf(outcome);
          return work;
        }
        if (isZero(mate.reveal) || !mate.warnings.empty()) {
          continue;
        }
        if (!best || better(mate, *best)) {
          best = std::move(mate);
        }
      }
      if (best) {
        answer.mates.push_back(std::move(*best));
      }
      std::vector<TestMate> in_file;
      for (std::size_t i = 0; i < pairings.size(); ++i) {
        TestMate mate;
        mate.animal = animals[i];
        const Outcome outcome = figuresOf(pairings[i], state, mate);
        if (outcome != Outcome::Done) {
          work.fault = faultOf(outcome);
          return work;
        }
        if (!isZero(mate.reveal)) {
          in_file.push_back(std::move(mate));
        }
      }
      std::stable_sort(in_file.begin(), in_file.end(), [&](const TestMate& a, const TestMate& b) {
        if (a.warnings.empty() != b.warnings.empty()) {
          return a.warnings.empty();
        }
        const Integer x = a.reveal.numerator * b.reveal.denominator;
        const Integer y = b.reveal.numerator * a.reveal.denominator;
        if (x != y) {
          return x > y;
        }
        return stock_.animals[*a.animal].name < stock_.animals[*b.animal].name;
      });
      for (TestMate& mate : in_file) {
        answer.mates.push_back(std::move(mate));
      }
      work.states.push_back(std::move(answer));
    }
    return work;
  }

 private:
  static ProveFault faultOf(Outcome outcome) {
    return outcome == Outcome::TooCostly ? ProveFault::TooCostly : ProveFault::TooManyGenotypes;
  }

  // The state of the set with the fewest mutant alleles.
  static int lowestState(GeneIndex g, StateSet set) {
    int lowest = -1;
    for (int s = 0; s < stateCount(g); ++s) {
      if ((set >> s & 1u) != 0 && (lowest < 0 || countOfState(g, s) < countOfState(g, lowest))) {
        lowest = s;
      }
    }
    return lowest;
  }

  // Larger reveal, then fewer mutant alleles, then the genotype's text.
  static bool better(const TestMate& a, const TestMate& b) {
    const Integer x = a.reveal.numerator * b.reveal.denominator;
    const Integer y = b.reveal.numerator * a.reveal.denominator;
    if (x != y) {
      return x > y;
    }
    const int ma = mutantAlleles(a.genotype);
    const int mb = mutantAlleles(b.genotype);
    if (ma != mb) {
      return ma < mb;
    }
    return genotypeText(a.genotype) < genotypeText(b.genotype);
  }

  // Each state of each gene that is not the fewest mutant alleles the
  // animal may have there.
  std::vector<StateToTest> statesToTest(const std::vector<GeneAnswer>& genes) const {
    std::vector<StateToTest> states;
    for (const GeneAnswer& gene : genes) {
      if (gene.proved()) {
        continue;
      }
      std::vector<const StateAnswer*> by_count;
      for (const StateAnswer& s : gene.states) {
        by_count.push_back(&s);
      }
      std::stable_sort(
          by_count.begin(), by_count.end(), [&](const StateAnswer* a, const StateAnswer* b) {
            return countOfState(gene.gene, a->state) < countOfState(gene.gene, b->state);
          });
      for (std::size_t i = 1; i < by_count.size(); ++i) {
        const int count = countOfState(gene.gene, by_count[i]->state);
        StateToTest test;
        test.gene = gene.gene;
        test.state = by_count[i]->state;
        test.has_chance = !by_count[i]->possible;
        for (const StateAnswer* s : by_count) {
          const Ratio chance = s->possible ? ratio(0, 1) : s->chance;
          if (countOfState(gene.gene, s->state) < count) {
            test.below |= static_cast<StateSet>(1u << s->state);
            test.below_chance = sumOf(test.below_chance, chance);
          } else {
            test.above.emplace_back(s->state, chance);
          }
        }
        if (test.below != 0) {
          states.push_back(std::move(test));
        }
      }
    }
    return states;
  }

  // The mate's reveal, warnings and figures for the state.
  Outcome figuresOf(Pairing& pairing, const StateToTest& state, TestMate& mate) {
    RevealShares hardest;
    Outcome outcome =
        revealShares(pairing, state.gene, state.state, state.has_chance, state.below, hardest);
    if (outcome != Outcome::Done) {
      return outcome;
    }
    mate.reveal = hardest.reveal;
    for (const auto& [warning, chance] : hardest.warnings) {
      mate.warnings.push_back({warning, chance});
    }
    if (isZero(mate.reveal)) {
      return Outcome::Done;
    }
    // The states above the hardest, for the chance after the misses.
    std::vector<std::pair<Ratio, RevealShares>> above;
    if (state.has_chance) {
      for (const auto& [s, chance] : state.above) {
        if (s == state.state) {
          above.emplace_back(chance, hardest);
          continue;
        }
        if (isZero(chance)) {
          continue;
        }
        RevealShares shares;
        outcome = revealShares(pairing, state.gene, s, true, state.below, shares);
        if (outcome != Outcome::Done) {
          return outcome;
        }
        above.emplace_back(chance, std::move(shares));
      }
    }
    const auto after = [&](const auto& miss_of) {
      std::vector<std::pair<Ratio, Ratio>> misses;
      misses.reserve(above.size());
      for (const auto& [chance, shares] : above) {
        misses.emplace_back(chance, miss_of(shares));
      }
      return chanceAfter(misses, state.below_chance);
    };
    const std::uint64_t pups = static_cast<std::uint64_t>(options_.pups);
    // Past every joint genotype that reveals, a carrier is missed with the
    // chance of those that never do.
    Ratio never = ratio(0, 1);
    for (const auto& [r, chance] : hardest.chance_of) {
      if (r.first == 0) {
        never = sumOf(never, chance);
      }
    }
    for (const Confidence& confidence : options_.confidences) {
      MateFigures figures;
      if (!atMost(confidence.miss, never)) {
        figures.young = smallest(kMostTestYoung, [&](std::uint64_t k) {
          return atMost(missAfter(hardest, k), confidence.miss);
        });
      }
      if (figures.young) {
        figures.litters = (*figures.young + pups - 1) / pups;
        if (state.has_chance) {
          figures.after =
              after([&](const RevealShares& s) { return missAfter(s, *figures.young); });
        }
      } else {
        const Ratio one = lowestTerms(missAfter(hardest, pups));
        figures.mates = smallest(kMostTestMates, [&](std::uint64_t m) {
          return atMost(powerOf(one, m), confidence.miss);
        });
        if (figures.mates) {
          figures.fewer_miss = powerOf(one, *figures.mates - 1);  // in lowest terms as one is
          if (state.has_chance) {
            const std::uint64_t m = *figures.mates;
            figures.after =
                after([&](const RevealShares& s) { return powerOf(missAfter(s, pups), m); });
          }
        }
      }
      mate.figures.push_back(std::move(figures));
    }
    return Outcome::Done;
  }

  const Stock& stock_;
  std::size_t animal_;
  const ProveOptions& options_;
  StockModel model_;
  Pairing::AloneGiven alone_given_;
};

}  // namespace

std::optional<Confidence> readConfidence(std::u32string_view text) {
  std::string whole;
  std::string decimals;
  bool point = false;
  for (const char32_t c : text) {
    if (c == U'.' || c == U',') {
      if (point) {
        return std::nullopt;
      }
      point = true;
    } else if (c >= U'0' && c <= U'9') {
      (point ? decimals : whole) += static_cast<char>(c);
    } else {
      return std::nullopt;
    }
  }
  while (!decimals.empty() && decimals.back() == '0') {
    decimals.pop_back();
  }
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
  if ((whole.empty() && decimals.empty() && !point && text.empty()) || decimals.size() > 6 ||
      whole.size() > 2) {
    return std::nullopt;
  }
  Integer scaled = 0;  // P times 10^decimals
  for (const char c : whole + decimals) {
    scaled = scaled * 10 + (c - '0');
  }
  const Integer scale = power(Integer(10), static_cast<unsigned>(decimals.size()));
  if (scaled == 0 || scaled >= 100 * scale) {
    return std::nullopt;
  }
  Confidence confidence;
  confidence.miss = lowestTerms({100 * scale - scaled, 100 * scale});
  confidence.label = (whole.empty() ? "0" : whole) + (decimals.empty() ? "" : "." + decimals);
  return confidence;
}

std::optional<GeneIndex> readGeneWord(std::u32string_view text) {
  const std::u32string typed = lowerCased(text);
  for (GeneIndex g = 0; g < GeneCount; ++g) {
    std::u32string symbol;
    appendAscii(geneSymbol(g), symbol);
    std::u32string allele;
    appendAscii(mutantAllele(g), allele);
    if (typed == lowerCased(symbol) || typed == lowerCased(allele) ||
        typed == lowerCased(geneTitle(g, Language::English)) ||
        typed == lowerCased(geneTitle(g, Language::Russian))) {
      return g;
    }
  }
  return std::nullopt;
}

std::vector<Confidence> defaultConfidences() {
  return {*readConfidence(U"95"), *readConfidence(U"99"), *readConfidence(U"99.9")};
}

ProveWork proveAnimal(const Stock& stock, std::size_t animal, const ProveOptions& options) {
  assert(!options.confidences.empty());
  Prover prover(stock, animal, options);
  return prover.run();
}

}  // namespace quorvale
