#include "testing/stock_enumeration.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "phenotype/colour.h"
#include "phenotype/description.h"
#include "stock/gene_states.h"

namespace quorvale {

namespace {

// Exact fractions, kept in lowest terms.

Ratio sum(const Ratio& a, const Ratio& b) {
  return lowestTerms(
      {a.numerator * b.denominator + b.numerator * a.denominator, a.denominator * b.denominator});
}

Ratio product(const Ratio& a, const Ratio& b) {
  return lowestTerms({a.numerator * b.numerator, a.denominator * b.denominator});
}

// REQUIRES: b is not 0.
Ratio quotient(const Ratio& a, const Ratio& b) {
  assert(b.numerator != 0);
  return lowestTerms({a.numerator * b.denominator, a.denominator * b.numerator});
}

// 1 - a.
Ratio complement(const Ratio& a) { return {a.denominator - a.numerator, a.denominator}; }

// c ε^power.
Polynomial term(const Ratio& c, int power) {
  Polynomial p;
  if (c.numerator != 0) {
    p.coefficients.assign(static_cast<std::size_t>(power), ratio(0, 1));
    p.coefficients.push_back(lowestTerms(c));
  }
  return p;
}

Polynomial constant(const Ratio& c) { return term(c, 0); }

void dropTrailingZeros(Polynomial& p) {
  while (!p.coefficients.empty() && p.coefficients.back().numerator == 0) {
    p.coefficients.pop_back();
  }
}

Polynomial power(const Polynomial& a, int exponent) {
  Polynomial result = constant(ratio(1, 1));
  for (int i = 0; i < exponent; ++i) {
    result = result * a;
  }
  return result;
}

bool hasState(StateSet set, int state) { return (set >> state & 1u) != 0; }

// The genes enumerated: a state of each, by place in the genes asked about.
constexpr std::size_t kMaxGenes = 3;
using States = std::array<int, kMaxGenes>;

// Every choice of a state of each gene.
std::vector<States> everyChoice(std::span<const GeneIndex> genes) {
  std::vector<States> choices(1, States{});
  for (std::size_t k = 0; k < genes.size(); ++k) {
    std::vector<States> longer;
    for (const States& choice : choices) {
      for (int s = 0; s < stateCount(genes[k]); ++s) {
        States next = choice;
        next[k] = s;
        longer.push_back(next);
      }
    }
    choices = std::move(longer);
  }
  return choices;
}

// Inheritance, one gene at a time.

// The chance that a parent in state s of gene g passes a mutant allele on
// (a father's Yellow: to a daughter, who has his X; a son has his Y).
Ratio mutantPassed(GeneIndex g, int s) {
  if (sexOfState(g, s) == Sex::Male) {
    return ratio(s == yellow::kMaleYellow ? 1 : 0, 1);
  }
  return ratio(static_cast<std::uint64_t>(s), 2);
}

// The chance of `count` mutant alleles in a young that has one allele from
// each parent, passed as mutant with chances a and b.
Ratio pairChance(const Ratio& a, const Ratio& b, int count) {
  Ratio chance = ratio(0, 1);
  for (int x = 0; x <= 1; ++x) {
    for (int y = 0; y <= 1; ++y) {
      if (x + y == count) {
        chance = sum(chance, product(x == 1 ? a : complement(a), y == 1 ? b : complement(b)));
      }
    }
  }
  return chance;
}

// The chance that a young conceived by parents in these states of gene g
// has state s, counting the young that are not born: Mendelian, and for
// Yellow, which lies on the X chromosome, a son (1/2) with his mother's X,
// a daughter (1/2) with one from each parent.
Ratio conceived(GeneIndex g, int father, int mother, int s) {
  const Ratio from_father = mutantPassed(g, father);
  const Ratio from_mother = mutantPassed(g, mother);
  if (!isSexLinked(g)) {
    return pairChance(from_father, from_mother, s);
  }
  if (sexOfState(g, father) != Sex::Male || sexOfState(g, mother) != Sex::Female) {
    return ratio(0, 1);
  }
  if (sexOfState(g, s) == Sex::Male) {
    return product(ratio(1, 2), s == yellow::kMaleYellow ? from_mother : complement(from_mother));
  }
  return product(ratio(1, 2), pairChance(from_father, from_mother, s));
}

// The same among the young that are born: no young with a lethal pair is.
// Whether a young is born depends on each gene on its own, so the chance
// of a gene's state among the born young is taken gene by gene.
Ratio inherited(GeneIndex g, int father, int mother, int s) {
  if (!hasState(bornStates(g), s)) {
    return ratio(0, 1);
  }
  Ratio born = ratio(0, 1);
  for (int t = 0; t < stateCount(g); ++t) {
    if (hasState(bornStates(g), t)) {
      born = sum(born, conceived(g, father, mother, t));
    }
  }
  if (born.numerator == 0) {
    return born;
  }
  return quotient(conceived(g, father, mother, s), born);
}

// What a founder weighs.

// State s of gene g with nothing stated: ε for each mutant allele, in each
// of the ways to choose which alleles they are (one way for a male's one X).
Polynomial unstatedFounder(GeneIndex g, int s) {
  const int alleles = allelesOfState(g, s);
  const bool one_of_two = alleles == 1 && sexOfState(g, s) != Sex::Male;
  return term(ratio(one_of_two ? 2 : 1, 1), alleles);
}

// State s of gene g of a founder of the records.
Polynomial recordedFounder(const StockAnimal& animal, GeneIndex g, int s) {
  if (const auto& prior = animal.priors[g]) {
    if (s == prior->state) {
      return constant(prior->chance);
    }
    return s == prior->rest ? constant(complement(prior->chance)) : Polynomial{};
  }
  // Either sex with chance 1/2, as for a young.
  const Ratio sex = isSexLinked(g) ? ratio(1, 2) : ratio(1, 1);
  return constant(sex) * unstatedFounder(g, s);
}

// The evidence of one record.

// The state of gene g that a record's known box leaves.
int fixedState(const StockAnimal& animal, GeneIndex g) {
  const StateSet known = animal.known[g];
  assert(std::has_single_bit(known));
  return std::countr_zero(known);
}

// Whether a genotype's colour line is the one recorded: the same name, and
// the same coat length unless the record leaves it out. Both are decided
// without warnings and sex, so the name is all they say.
bool sameLine(DescriptionKey decided, DescriptionKey recorded) {
  ColourName a = colourNameOf(decided);
  const ColourName b = colourNameOf(recorded);
  if (b.length == ColourWord::None) {
    a.length = ColourWord::None;
  }
  return a.coat.base == b.coat.base && a.coat.kind == b.coat.kind && a.umbrous == b.umbrous &&
         a.pattern == b.pattern && a.satin == b.satin && a.length == b.length;
}

// Whether a recorded animal may have these states of the genes asked
// about: its known box, its sex, no lethal pair, its coat line.
bool evidenceAllows(const StockAnimal& animal, std::span<const GeneIndex> genes,
                    const States& states) {
  Genotype genotype;
  Sex sex = Sex::Unspecified;
  for (GeneIndex g = 0; g < GeneCount; ++g) {
    const auto place = std::find(genes.begin(), genes.end(), g);
    const int s = place == genes.end() ? fixedState(animal, g) : states[place - genes.begin()];
    if (!hasState(animal.known[g], s) || !hasState(bornStates(g), s)) {
      return false;
    }
    genotype.alleleCount[g] = countOfState(g, s);
    if (isSexLinked(g)) {
      sex = sexOfState(g, s);
    }
  }
  if (animal.sex != Sex::Unspecified && animal.sex != sex) {
    return false;
  }
  setSex(genotype, sex);
  return !animal.coat_line ||
         sameLine(decideDescription(genotype, false, false), *animal.coat_line);
}

// An animal the enumeration gives states: a record of one young, or the
// founder who stands for a parent a record leaves empty; or, summed per
// young, a record of several.
struct Member {
  int record = -1;             // -1: a founder no record names
  Sex sex = Sex::Unspecified;  // of a founder no record names
  int father = -1;             // members; -1 for a founder
  int mother = -1;
  std::vector<States> candidates;  // the states its own evidence allows
};

struct Pedigree {
  std::vector<Member> members;  // each with states of its own in an assignment
  std::vector<Member> several;  // records of several young, summed per young
};

Pedigree pedigreeOf(const Stock& stock, std::span<const GeneIndex> genes) {
  const std::vector<StockAnimal>& records = stock.animals;
  Pedigree pedigree;
  std::vector<Member>& members = pedigree.members;
  // First the records of one young, then the founders who stand for empty
  // parents.
  std::vector<int> member_of(records.size(), -1);
  for (std::size_t r = 0; r < records.size(); ++r) {
    assert(records[r].count >= 1);
    if (records[r].count == 1) {
      member_of[r] = static_cast<int>(members.size());
      members.emplace_back().record = static_cast<int>(r);
    }
  }
  const auto parent = [&](int recorded, Sex sex) {
    if (recorded != StockAnimal::kUnknownParent) {
      assert(recorded >= 0 && recorded < static_cast<int>(records.size()));
      assert(member_of[recorded] >= 0 && records[recorded].sex == sex);
      return member_of[recorded];
    }
    members.emplace_back().sex = sex;
    return static_cast<int>(members.size()) - 1;
  };
  for (std::size_t r = 0; r < records.size(); ++r) {
    const StockAnimal& animal = records[r];
    if (animal.count == 1 && animal.isFounder()) {
      continue;
    }
    assert(std::none_of(animal.priors.begin(), animal.priors.end(),
                        [](const auto& prior) { return prior.has_value(); }));
    const int father = parent(animal.father, Sex::Male);
    const int mother = parent(animal.mother, Sex::Female);
    Member& young = animal.count == 1 ? members[member_of[r]] : pedigree.several.emplace_back();
    young.record = static_cast<int>(r);
    young.father = father;
    young.mother = mother;
  }

  const std::vector<States> choices = everyChoice(genes);
  const auto fillCandidates = [&](Member& member) {
    for (const States& states : choices) {
      bool allowed = true;
      if (member.record >= 0) {
        allowed = evidenceAllows(records[member.record], genes, states);
      } else {
        for (std::size_t k = 0; k < genes.size(); ++k) {
          const GeneIndex g = genes[k];
          allowed = allowed && hasState(bornStates(g) & statesOfSex(g, member.sex), states[k]);
        }
      }
      if (allowed) {
        member.candidates.push_back(states);
      }
    }
  };
  std::for_each(members.begin(), members.end(), fillCandidates);
  std::for_each(pedigree.several.begin(), pedigree.several.end(), fillCandidates);
  return pedigree;
}

// What a young in these states weighs, given its parents'.
Polynomial youngWeight(std::span<const GeneIndex> genes, const States& father, const States& mother,
                       const States& states) {
  Ratio chance = ratio(1, 1);
  for (std::size_t k = 0; k < genes.size(); ++k) {
    chance = product(chance, inherited(genes[k], father[k], mother[k], states[k]));
  }
  return constant(chance);
}

// What a member weighs in an assignment of states to every member.
Polynomial memberWeight(const Stock& stock, std::span<const GeneIndex> genes, const Member& m,
                        const States& own, const std::vector<States>& state) {
  if (m.father >= 0) {
    return youngWeight(genes, state[m.father], state[m.mother], own);
  }
  Polynomial weight = constant(ratio(1, 1));
  for (std::size_t k = 0; k < genes.size(); ++k) {
    weight = weight * (m.record >= 0 ? recordedFounder(stock.animals[m.record], genes[k], own[k])
                                     : unstatedFounder(genes[k], own[k]));
  }
  return weight;
}

// Adds the weight of one assignment of states to the members, and of every
// assignment to the records of several young that goes with it, to the sums.
void addAssignment(const Stock& stock, std::span<const GeneIndex> genes, const Pedigree& pedigree,
                   const std::vector<States>& state, std::optional<std::pair<int, int>> pair,
                   StockEnumeration& sums) {
  Polynomial weight = constant(ratio(1, 1));
  for (std::size_t i = 0; i < pedigree.members.size() && !isZero(weight); ++i) {
    weight = weight * memberWeight(stock, genes, pedigree.members[i], state[i], state);
  }
  if (isZero(weight)) {
    return;
  }
  // The young of a record of several are alike and, given their parents,
  // independent: together they weigh the power of what one of them weighs.
  const std::vector<Member>& several = pedigree.several;
  std::vector<std::vector<Polynomial>> one(several.size());
  std::vector<Polynomial> any_one(several.size());
  std::vector<Polynomial> all(several.size());
  Polynomial everything = weight;
  for (std::size_t j = 0; j < several.size(); ++j) {
    for (const States& states : several[j].candidates) {
      one[j].push_back(
          youngWeight(genes, state[several[j].father], state[several[j].mother], states));
      any_one[j] = any_one[j] + one[j].back();
    }
    all[j] = power(any_one[j], stock.animals[several[j].record].count);
    everything = everything * all[j];
  }

  sums.total = sums.total + everything;
  if (pair) {
    std::pair<std::vector<int>, std::vector<int>> key;
    for (std::size_t i = 0; i < pedigree.members.size(); ++i) {
      const int record = pedigree.members[i].record;
      for (auto& [animal, states] :
           {std::pair{pair->first, &key.first}, std::pair{pair->second, &key.second}}) {
        if (record == animal) {
          states->assign(state[i].begin(),
                         state[i].begin() + static_cast<std::ptrdiff_t>(genes.size()));
        }
      }
    }
    Polynomial& sum = sums.pair[key];
    sum = sum + everything;
  }
  for (std::size_t i = 0; i < pedigree.members.size(); ++i) {
    const int record = pedigree.members[i].record;
    for (std::size_t k = 0; record >= 0 && k < genes.size(); ++k) {
      Polynomial& sum = sums.weights[record][k][state[i][k]];
      sum = sum + everything;
    }
  }
  for (std::size_t j = 0; j < several.size(); ++j) {
    // One of the young in a state, the others in any.
    Polynomial others = weight * power(any_one[j], stock.animals[several[j].record].count - 1);
    for (std::size_t other = 0; other < several.size(); ++other) {
      others = other == j ? others : others * all[other];
    }
    for (std::size_t c = 0; c < several[j].candidates.size(); ++c) {
      for (std::size_t k = 0; k < genes.size(); ++k) {
        Polynomial& sum = sums.weights[several[j].record][k][several[j].candidates[c][k]];
        sum = sum + others * one[j][c];
      }
    }
  }
}

}  // namespace

Polynomial operator+(const Polynomial& a, const Polynomial& b) {
  Polynomial p;
  p.coefficients.resize(std::max(a.coefficients.size(), b.coefficients.size()), ratio(0, 1));
  for (std::size_t i = 0; i < p.coefficients.size(); ++i) {
    if (i < a.coefficients.size()) {
      p.coefficients[i] = sum(p.coefficients[i], a.coefficients[i]);
    }
    if (i < b.coefficients.size()) {
      p.coefficients[i] = sum(p.coefficients[i], b.coefficients[i]);
    }
  }
  dropTrailingZeros(p);
  return p;
}

Polynomial operator*(const Polynomial& a, const Polynomial& b) {
  Polynomial p;
  if (a.coefficients.empty() || b.coefficients.empty()) {
    return p;
  }
  p.coefficients.resize(a.coefficients.size() + b.coefficients.size() - 1, ratio(0, 1));
  for (std::size_t i = 0; i < a.coefficients.size(); ++i) {
    for (std::size_t j = 0; j < b.coefficients.size(); ++j) {
      p.coefficients[i + j] =
          sum(p.coefficients[i + j], product(a.coefficients[i], b.coefficients[j]));
    }
  }
  dropTrailingZeros(p);
  return p;
}

bool isZero(const Polynomial& a) { return a.coefficients.empty(); }

int lowestPower(const Polynomial& a) {
  assert(!isZero(a));
  int k = 0;
  while (a.coefficients[k].numerator == 0) {
    ++k;
  }
  return k;
}

Ratio lowestCoefficient(const Polynomial& a) { return a.coefficients[lowestPower(a)]; }

StockEnumeration enumerateStock(const Stock& stock, std::span<const GeneIndex> genes,
                                std::optional<std::pair<int, int>> pair) {
  assert(!genes.empty() && genes.size() <= kMaxGenes);
  assert(std::all_of(genes.begin(), genes.end(), [&](GeneIndex g) {
    return g >= 0 && g < GeneCount && std::count(genes.begin(), genes.end(), g) == 1;
  }));
  const Pedigree pedigree = pedigreeOf(stock, genes);
  StockEnumeration sums;
  sums.genes.assign(genes.begin(), genes.end());
  sums.weights.resize(stock.animals.size());
  for (auto& by_gene : sums.weights) {
    for (const GeneIndex g : genes) {
      by_gene.emplace_back(stateCount(g));
    }
  }
  const std::vector<Member>& members = pedigree.members;
  if (std::any_of(members.begin(), members.end(),
                  [](const Member& m) { return m.candidates.empty(); })) {
    return sums;
  }
  // Every assignment: one candidate of each member, counted like an
  // odometer.
  std::vector<std::size_t> choice(members.size(), 0);
  std::vector<States> state(members.size());
  for (;;) {
    for (std::size_t i = 0; i < members.size(); ++i) {
      state[i] = members[i].candidates[choice[i]];
    }
    addAssignment(stock, genes, pedigree, state, pair, sums);
    std::size_t i = 0;
    while (i < members.size() && ++choice[i] == members[i].candidates.size()) {
      choice[i] = 0;
      ++i;
    }
    if (i == members.size()) {
      return sums;
    }
  }
}

StateVerdict verdictOf(const StockEnumeration& enumeration, int animal, GeneIndex g, int state) {
  const auto place = std::find(enumeration.genes.begin(), enumeration.genes.end(), g);
  assert(place != enumeration.genes.end() && !isZero(enumeration.total));
  const std::vector<Polynomial>& states =
      enumeration.weights[animal][place - enumeration.genes.begin()];
  const Polynomial& weight = states[state];
  StateVerdict verdict;
  if (isZero(weight)) {
    return verdict;
  }
  // No weight is ever subtracted, so no state has a lower power than the
  // whole.
  assert(lowestPower(weight) >= lowestPower(enumeration.total));
  if (lowestPower(weight) > lowestPower(enumeration.total)) {
    verdict.verdict = Verdict::Possible;
    return verdict;
  }
  verdict.verdict = Verdict::Chance;
  verdict.chance = quotient(lowestCoefficient(weight), lowestCoefficient(enumeration.total));
  verdict.proved = verdict.chance.numerator == verdict.chance.denominator;
  for (std::size_t s = 0; s < states.size(); ++s) {
    if (static_cast<int>(s) != state && !isZero(states[s])) {
      verdict.proved = false;
    }
  }
  return verdict;
}

}  // namespace quorvale
