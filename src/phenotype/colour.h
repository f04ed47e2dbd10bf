#ifndef QUORVALE_PHENOTYPE_COLOUR_H_
#define QUORVALE_PHENOTYPE_COLOUR_H_

#include <string>

#include "genetics/genotype.h"
#include "phenotype/colour_rules.h"
#include "text/language.h"

namespace quorvale {

// The coat colour name of an animal in the given language: the base colour
// chosen by the colour chart (phenotype/colour_rules.h), with the umbrous,
// pattern, satin and coat-length words; or the lethal text alone; or the
// unnamed text alone, in which case the unnamed-colour marker
// g.expressed[UnnamedMarker] is set. Never clears the marker.
// English: "SH Umbrous Golden Banded Satin" (coat length, umbrous, base,
// pattern, satin). Russian: "золотистый копченый с поясом атласный КШ"
// (base, umbrous, pattern, satin, coat length).
// REQUIRES: deriveExpressed has just run on g (so the marker is clear).
std::u32string coatColourName(Genotype& g, Language language);

// The same in the language of the run.
std::u32string coatColourName(Genotype& g);

// Appends the colour name to out, as coatColourName would return it, growing
// out at most once, and returns the class of the coat it named. Lets the
// description build its whole line in one string.
// REQUIRES: deriveExpressed has just run on g.
CoatClass appendCoatColourName(Genotype& g, Language language, std::u32string& out);

}  // namespace quorvale

#endif  // QUORVALE_PHENOTYPE_COLOUR_H_
