#ifndef QUORVALE_TASKS_TASK_H_
#define QUORVALE_TASKS_TASK_H_

#include <concepts>
#include <cstdint>
#include <numeric>
#include <span>
#include <string>
#include <vector>

#include "genetics/genotype.h"
#include "genetics/genotype_text.h"
#include "litter/report.h"
#include "tasks/random.h"
#include "text/language.h"
#include "text/output.h"

namespace quorvale {

// A breeding exercise is made from a task number alone: the dialogue seeds a
// Random with it and everything below draws from that generator in a fixed
// order, so the same number gives the same exercise in every run and in
// either language. The draws, in order:
//   1. one per drawn gene (drawGenes);
//   2. per roll of the male, one per entry of the gene list, in list order,
//      for as many rolls as it takes to get a presentable animal;
//   3. the same for the female;
//   4. if the pair must not be mated, all of it again from step 1, the
//      generator simply going on.
// The functions are generic over the generator so that tests can watch every
// draw; the program always passes a Random.

// Anything that hands out non-negative values the way Random::next does.
template <typename G>
concept RandomGenerator = requires(G& rng) {
  { rng.next() } -> std::convertible_to<int>;
};

// The two parents of a breeding exercise.
struct TaskAnimals {
  Genotype male;    // Sex code 1, expressed flags derived
  Genotype female;  // Sex code 2, expressed flags derived
};

// The two parents of a breeding exercise, as genotype texts.
struct TaskParents {
  std::u32string male;
  std::u32string female;
};

// The exercise as it is set: the male's text, " * " and the female's
// ("ToY * LglgToto"), without a line end.
std::u32string taskLine(const TaskParents& parents);

// The number of genes drawn for an exercise (Yellow comes on top): the
// dialogue's option 3, and its easy option 4.
inline constexpr int kTaskGenes = 7;
inline constexpr int kEasyTaskGenes = 2;

// The exercise of a task number: a Random seeded with the number's bits
// (taskSeed), used for nothing else, so the same number gives the same
// exercise everywhere. easy draws kEasyTaskGenes genes, else kTaskGenes.
// REQUIRES: number != 0.
TaskAnimals taskAnimals(std::int32_t number, bool easy);

// Both parents' genotype texts, which the litter prediction reads back as
// exactly these animals.
TaskParents parentTexts(const TaskAnimals& animals);

// An exercise as a sheet shows it: the parents' line (taskLine) and a line
// end; then, with_answer, an empty line and the litter report of the two
// as options say (with ReportOptions{.opening_line_feed = false}, the
// report of the dialogue's answer from its "Male: " line on).
void writeTask(const TaskAnimals& animals, bool with_answer, const ReportOptions& options,
               Language language, Output& out);

// The exercises of task numbers as one JSON document: {"tasks": [...]},
// for each number {"number", "easy", "male", "female", "litter"}, the
// parents' genotype texts and, with_answer, their litter as
// writeLitterJson writes it (litter/report_json.h); each task on a line
// of its own.
// REQUIRES: no number is 0.
void writeTasksJson(std::span<const std::int32_t> numbers, bool easy, bool with_answer,
                    const ReportOptions& options, Language language, Output& out);

// The count of mutant alleles that one roll gives gene g of an animal of the
// given sex, from one drawn value:
//   recessive genes 0-6:  value mod 3:  0 -> 2, 1 -> 1, 2 -> 0;
//   dominant genes 7-12:  value mod 30: 0 -> 2, 1-4 -> 1, 5-29 -> 0;
//   Yellow in a male:     value mod 2:  1 -> 2 (To), 0 -> 0;
//   Yellow in a female:   value mod 8:  0 -> 2, 1-3 -> 1, 4-7 -> 0.
// REQUIRES: 0 <= g < GeneCount, value >= 0, sex is Male or Female.
int rolledAlleleCount(GeneIndex g, Sex sex, int value);

// Whether a rolled animal may be set as a parent: its colour has a proper name
// and it has no undesirable combination of genes. Derives g's expressed flags
// and leaves them so.
bool isPresentableParent(Genotype& g);

// Whether male and female may be mated: no mating warning applies.
bool canBeMated(const Genotype& male, const Genotype& female);

// Draws count different genes from 0 to 12 in draw order: each draw picks,
// by value mod the number of genes left, a position in the genes not yet
// drawn, kept in ascending order. Exactly count draws.
// REQUIRES: 0 <= count <= 13.
template <RandomGenerator G>
std::vector<GeneIndex> drawGenes(int count, G& rng) {
  std::vector<GeneIndex> pool(gene::to);  // every gene but Yellow, ascending
  std::iota(pool.begin(), pool.end(), 0);
  std::vector<GeneIndex> drawn;
  for (int i = 0; i < count && !pool.empty(); ++i) {
    const auto left = static_cast<int>(pool.size());
    const auto position = pool.begin() + static_cast<int>(rng.next()) % left;
    drawn.push_back(*position);
    pool.erase(position);
  }
  return drawn;
}

// Rolls an animal of the given sex over the listed genes (every other gene
// wild), one draw per listed gene in list order, until it is presentable.
// The result has its expressed flags derived and the unnamed marker clear.
// REQUIRES: genes are different, within 0 to 13; sex is Male or Female.
template <RandomGenerator G>
Genotype randomParent(const std::vector<GeneIndex>& genes, Sex sex, G& rng) {
  Genotype g;
  setSex(g, sex);
  do {
    for (GeneIndex i = 0; i < GeneCount; ++i) {
      g.alleleCount[i] = 0;
      g.expressed[i] = false;
    }
    for (GeneIndex i : genes) {
      g.alleleCount[i] = rolledAlleleCount(i, sex, rng.next());
    }
  } while (!isPresentableParent(g));
  return g;
}

// A male and a female rolled over the same gene_count drawn genes plus
// Yellow, which is always in play; a pair that must not be mated is thrown
// away with its genes and a new gene list drawn.
// REQUIRES: 0 <= gene_count <= 13.
template <RandomGenerator G>
TaskAnimals generateTaskAnimals(int gene_count, G& rng) {
  for (;;) {
    std::vector<GeneIndex> genes = drawGenes(gene_count, rng);
    genes.push_back(gene::to);
    TaskAnimals pair{.male = randomParent(genes, Sex::Male, rng),
                     .female = randomParent(genes, Sex::Female, rng)};
    if (canBeMated(pair.male, pair.female)) {
      return pair;
    }
  }
}

// The exercise as the user sees it: both parents' genotype texts, which the
// litter prediction reads back as exactly these animals. Writes nothing.
// REQUIRES: 0 <= gene_count <= 13.
template <RandomGenerator G>
TaskParents generateTask(int gene_count, G& rng) {
  return parentTexts(generateTaskAnimals(gene_count, rng));
}

}  // namespace quorvale

#endif  // QUORVALE_TASKS_TASK_H_
