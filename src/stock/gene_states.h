#ifndef QUORVALE_STOCK_GENE_STATES_H_
#define QUORVALE_STOCK_GENE_STATES_H_

#include <array>
#include <cstdint>

#include "genetics/genotype.h"

namespace quorvale {

// What an animal of a stock can be at one gene: a "state". For the genes
// on the autosomes a state is the number of mutant alleles, 0, 1 or 2. For
// Yellow, which lies on the X chromosome, the state also tells the sex,
// since an animal whose sex is not recorded may be either: a female has
// two alleles (toto, Toto, ToTo), a male one (toY, ToY).
inline constexpr int kYellowStates = 5;
namespace yellow {
inline constexpr int kFemaleNone = 0;  // toto
inline constexpr int kFemaleOne = 1;   // Toto
inline constexpr int kFemaleTwo = 2;   // ToTo
inline constexpr int kMaleNone = 3;    // toY
inline constexpr int kMaleYellow = 4;  // ToY
}  // namespace yellow

// How many states gene g has: 3, or 5 for Yellow.
constexpr int stateCount(GeneIndex g) { return isSexLinked(g) ? kYellowStates : 3; }

// The number of mutant alleles of state s of gene g, as Genotype counts it
// (a male's To is 2).
constexpr int countOfState(GeneIndex g, int s) {
  if (!isSexLinked(g)) {
    return s;
  }
  return s == yellow::kMaleNone ? 0 : s == yellow::kMaleYellow ? 2 : s;
}

// The sex a state fixes: Yellow's states fix it, the others do not.
constexpr Sex sexOfState(GeneIndex g, int s) {
  if (!isSexLinked(g)) {
    return Sex::Unspecified;
  }
  return s >= yellow::kMaleNone ? Sex::Male : Sex::Female;
}

// The mutant alleles of a state as the simplest genotype counts them: a
// male's To counts once.
constexpr int allelesOfState(GeneIndex g, int s) {
  return isSexLinked(g) && s == yellow::kMaleYellow ? 1 : countOfState(g, s);
}

// The state of gene g with `count` mutant alleles (as Genotype counts them)
// in an animal of the given sex (not Unspecified for Yellow).
constexpr int stateOf(GeneIndex g, int count, Sex sex) {
  if (!isSexLinked(g)) {
    return count;
  }
  if (sex == Sex::Male) {
    return count == 0 ? yellow::kMaleNone : yellow::kMaleYellow;
  }
  return count;
}

// A set of states of one gene, one bit each.
using StateSet = std::uint8_t;

constexpr StateSet allStates(GeneIndex g) {
  return static_cast<StateSet>((1u << stateCount(g)) - 1);
}

// The states an animal of the given sex can have at gene g.
constexpr StateSet statesOfSex(GeneIndex g, Sex sex) {
  if (!isSexLinked(g) || sex == Sex::Unspecified) {
    return allStates(g);
  }
  return sex == Sex::Male ? StateSet{0b11000} : StateSet{0b00111};
}

// The states an animal that was born can have: two Light Grey or two
// Dominant Spot alleles make a lethal combination, and such young are never
// born.
constexpr StateSet bornStates(GeneIndex g) {
  return g == gene::lg || g == gene::ds ? StateSet{0b011} : allStates(g);
}

// One set of states per gene: a box of genotypes, every choice of one
// allowed state per gene.
using GeneBox = std::array<StateSet, GeneCount>;

}  // namespace quorvale

#endif  // QUORVALE_STOCK_GENE_STATES_H_
