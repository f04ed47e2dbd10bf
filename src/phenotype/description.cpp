#include "phenotype/description.h"

#include "phenotype/colour.h"

namespace quorvale {

std::u32string describePhenotype(Genotype& g, bool /*with_warnings*/, bool /*with_sex*/) {
  deriveExpressed(g);
  return coatColourName(g);
}

bool listUndesirableCombinations(const Genotype& /*g*/, std::vector<MessageId>& findings) {
  findings.clear();
  return false;
}

}  // namespace quorvale
