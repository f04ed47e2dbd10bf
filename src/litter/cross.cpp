#include "litter/cross.h"

namespace quorvale {

Litter cross(const Genotype& /*male*/, const Genotype& /*female*/) { return Litter(1); }

bool matingWarnings(const Genotype& /*male*/, const Genotype& /*female*/,
                    std::vector<MessageId>& warnings) {
  return warnings.empty();
}

}  // namespace quorvale
