#include "tasks/task.h"

namespace quorvale {

std::vector<GeneIndex> drawGenes(int /*count*/, Random& /*rng*/) { return {}; }

Genotype randomParent(const std::vector<GeneIndex>& /*genes*/, Sex sex, Random& /*rng*/) {
  Genotype g;
  setSex(g, sex);
  return g;
}

TaskParents generateTask(int /*gene_count*/, Random& /*rng*/) { return {U"--", U"--"}; }

}  // namespace quorvale
