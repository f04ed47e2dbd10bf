#include "phenotype/carriers.h"

namespace quorvale {

std::u32string describeCarriedGenes(const Genotype& /*g*/) { return {}; }

}  // namespace quorvale
