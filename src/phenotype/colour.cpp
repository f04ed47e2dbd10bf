#include "phenotype/colour.h"

namespace quorvale {

std::u32string coatColourName(Genotype& /*g*/, Language /*language*/) { return {}; }

std::u32string coatColourName(Genotype& g) { return coatColourName(g, currentLanguage()); }

}  // namespace quorvale
