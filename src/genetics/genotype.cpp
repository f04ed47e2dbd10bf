#include "genetics/genotype.h"

namespace quorvale {

namespace {

constexpr std::string_view kGeneSymbols[GeneCount] = {
    "e", "dg", "p", "a", "cd", "rd", "l", "u", "ba", "sa", "sg", "lg", "ds", "to",
};

}  // namespace

std::string_view geneSymbol(GeneIndex g) { return kGeneSymbols[g]; }

Genotype& deriveExpressed(Genotype& g) {
  for (GeneIndex i = 0; i < GeneCount; ++i) {
    g.expressed[i] = geneShows(i, g.alleleCount[i]);
  }
  g.expressed[UnnamedMarker] = false;
  return g;
}

bool isSilverCreamWhite(const Genotype& g) {
  return g.alleleCount[gene::sg] == 2 && g.expressed[gene::e] && !g.expressed[gene::u];
}

}  // namespace quorvale
