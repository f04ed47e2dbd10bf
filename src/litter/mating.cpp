#include "litter/mating.h"

#include <cstddef>
#include <iterator>

namespace quorvale {

namespace {

// Read from the counts, so that a parent need not have been described first.
bool carries(const Genotype& g, GeneIndex i) { return g.alleleCount[i] != 0; }
bool shows(const Genotype& g, GeneIndex i) { return geneShows(i, g.alleleCount[i]); }

// The shared shape of the Yellow-with-Cream and grey-mixing checks: one
// parent carries `risky` and the other brings `partner` in a way that can
// meet it (both carry it, or the other parent shows it).
bool meets(const Genotype& a, const Genotype& b, GeneIndex risky, GeneIndex partner) {
  return carries(a, risky) && ((carries(a, partner) && carries(b, partner)) || shows(b, partner));
}

bool meetsEitherWay(const Genotype& m, const Genotype& f, GeneIndex risky, GeneIndex partner) {
  return meets(m, f, risky, partner) || meets(f, m, risky, partner);
}

}  // namespace

bool matingWarnings(const Genotype& male, const Genotype& female,
                    std::vector<MessageId>& warnings) {
  const Genotype& m = male;
  const Genotype& f = female;
  const bool checks[] = {
      carries(m, gene::sa) && carries(f, gene::sa),
      meetsEitherWay(m, f, gene::to, gene::e),
      carries(m, gene::lg) && carries(f, gene::lg),
      carries(m, gene::ds) && carries(f, gene::ds),
      meetsEitherWay(m, f, gene::lg, gene::dg),
      meetsEitherWay(m, f, gene::sg, gene::dg),
      (shows(m, gene::sg) || shows(f, gene::sg)) && (shows(m, gene::lg) || shows(f, gene::lg)),
  };
  constexpr MessageId kMessages[] = {
      MessageId::SatinAndSatin,         MessageId::MixingYellowWithCream,
      MessageId::LightGreyAndLightGrey, MessageId::DominantSpotAndDominantSpot,
      MessageId::MixingDifferentGreys,  MessageId::MixingDifferentGreys,
      MessageId::MixingDifferentGreys,
  };
  static_assert(std::size(checks) == std::size(kMessages));
  for (std::size_t i = 0; i < std::size(checks); ++i) {
    if (checks[i]) {
      warnings.push_back(kMessages[i]);
    }
  }
  return warnings.empty();
}

}  // namespace quorvale
