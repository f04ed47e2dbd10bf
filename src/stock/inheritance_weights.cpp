#include "stock/inheritance_weights.h"

#include <cassert>

namespace quorvale {

std::uint64_t inheritanceWeight(GeneIndex g, int f, int m, int y) {
  const int mother_count = countOfState(g, m);
  if (isSexLinked(g)) {
    assert(sexOfState(g, f) == Sex::Male && sexOfState(g, m) == Sex::Female);
    // In quarters: a son (1/2) takes the mother's To with her count / 2; a
    // daughter (1/2) takes the father's X and one of the mother's.
    const int father_to = f == yellow::kMaleYellow ? 1 : 0;
    int quarters = 0;
    if (sexOfState(g, y) == Sex::Male) {
      quarters = y == yellow::kMaleYellow ? mother_count : 2 - mother_count;
    } else if (y == father_to) {
      quarters = 2 - mother_count;
    } else if (y == father_to + 1) {
      quarters = mother_count;
    }
    return static_cast<std::uint64_t>(quarters) * (kInheritanceWhole / 4);
  }
  // In quarters: each parent passes a mutant allele with its count / 2.
  const int father_count = countOfState(g, f);
  const auto quarters = [&](int young) {
    int sum = 0;
    for (int from_father = 0; from_father <= 1; ++from_father) {
      const int from_mother = young - from_father;
      if (from_mother < 0 || from_mother > 1) {
        continue;
      }
      sum += (from_father == 1 ? father_count : 2 - father_count) *
             (from_mother == 1 ? mother_count : 2 - mother_count);
    }
    return sum;
  };
  if ((bornStates(g) >> 2 & 1u) == 0) {
    assert(f < 2 && m < 2);
    if (y == 2) {
      return 0;
    }
    // Among the born: the quarters of the young that are, out of them all.
    const int born = 4 - quarters(2);
    return static_cast<std::uint64_t>(quarters(y)) * kInheritanceWhole /
           static_cast<std::uint64_t>(born);
  }
  return static_cast<std::uint64_t>(quarters(y)) * (kInheritanceWhole / 4);
}

}  // namespace quorvale
