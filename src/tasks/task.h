#ifndef QUORVALE_TASKS_TASK_H_
#define QUORVALE_TASKS_TASK_H_

#include <string>
#include <vector>

#include "genetics/genotype.h"
#include "tasks/random.h"

namespace quorvale {

// The two parents of a breeding exercise, as genotype texts.
struct TaskParents {
  std::u32string male;
  std::u32string female;
};

// Draws count different genes from 0 to 12, in draw order.
// REQUIRES: 0 <= count <= 13.
std::vector<GeneIndex> drawGenes(int count, Random& rng);

// Rolls an animal of the given sex over the genes listed (every other gene
// wild) until it has a proper colour name and no undesirable combination.
Genotype randomParent(const std::vector<GeneIndex>& genes, Sex sex, Random& rng);

// A random male and female over gene_count drawn genes plus Yellow, with no
// mating warning between them. Writes nothing.
TaskParents generateTask(int gene_count, Random& rng);

}  // namespace quorvale

#endif  // QUORVALE_TASKS_TASK_H_
