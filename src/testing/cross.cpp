#include "testing/cross.h"

#include <cmath>
#include <cstddef>

#include "litter/inheritance.h"

namespace quorvale {

Litter cross(const Genotype& male, const Genotype& female) {
  // The seed: the all-wild record of unspecified sex, certain.
  Litter current(1);
  Litter next;
  for (GeneIndex g = 0; g < GeneCount; ++g) {
    const GeneChildren children = geneChildren(g, male.alleleCount[g], female.alleleCount[g]);
    next.clear();
    next.reserve(current.size() * static_cast<std::size_t>(children.size));
    for (const Offspring& parent : current) {
      for (int c = 0; c < children.size; ++c) {
        const GeneChild& child = children.child[c];
        Offspring& o = next.emplace_back(parent);
        o.genotype.alleleCount[g] = child.count;
        if (child.sex != GeneChild::kKeepSex) {
          o.genotype.alleleCount[SexSlot] = child.sex;
        }
        o.probability = std::ldexp(parent.probability, -child.halvings);
      }
    }
    current.swap(next);
  }
  return current;
}

}  // namespace quorvale
