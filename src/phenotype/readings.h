#ifndef QUORVALE_PHENOTYPE_READINGS_H_
#define QUORVALE_PHENOTYPE_READINGS_H_

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "genetics/genotype.h"
#include "phenotype/description.h"

namespace quorvale {

// Every description there is, by walking what a description reads of a
// genotype rather than the millions of genotypes: the way back from a
// colour searches these.

// What the description reads of gene g, each reading at the least count
// that gives it: for most genes whether it shows (none, or the fewest
// alleles that show it), for the genes whose count it reads, each count.
inline std::vector<int> readingsOf(GeneIndex g) {
  std::vector<int> counts;
  std::vector<int> values;
  for (int count = 0; count <= 2; ++count) {
    const int value = describedGeneValue(g, count);
    if (std::find(values.begin(), values.end(), value) == values.end()) {
      values.push_back(value);
      counts.push_back(count);
    }
  }
  return counts;
}

// Yellow, which also decides the sex: nothing written (no sex), and each
// count a male and a female can have.
struct YellowForm {
  Sex sex;
  int count;
};
inline constexpr YellowForm kYellowForms[] = {
    {Sex::Unspecified, 0}, {Sex::Male, 0},   {Sex::Male, 2},
    {Sex::Female, 0},      {Sex::Female, 1}, {Sex::Female, 2},
};

// Calls visit(Genotype&) with the simplest genotype of every reading of the
// description (about a quarter of a million), its sex set and nothing
// derived; visit may change it.
template <typename Visit>
void forEachReading(Visit visit) {
  std::array<std::vector<int>, gene::to> readings;
  for (GeneIndex g = 0; g < gene::to; ++g) {
    readings[g] = readingsOf(g);
  }
  std::array<std::size_t, gene::to> digit{};
  for (;;) {
    Genotype g;
    for (GeneIndex i = 0; i < gene::to; ++i) {
      g.alleleCount[i] = readings[i][digit[i]];
    }
    for (const YellowForm& form : kYellowForms) {
      Genotype visited = g;
      visited.alleleCount[gene::to] = form.count;
      setSex(visited, form.sex);
      visit(visited);
    }
    GeneIndex i = gene::to - 1;
    for (; i >= 0 && ++digit[i] == readings[i].size(); --i) {
      digit[i] = 0;
    }
    if (i < 0) {
      return;
    }
  }
}

}  // namespace quorvale

#endif  // QUORVALE_PHENOTYPE_READINGS_H_
