#ifndef QUORVALE_PHENOTYPE_COLOUR_H_
#define QUORVALE_PHENOTYPE_COLOUR_H_

#include <string>

#include "genetics/genotype.h"
#include "text/language.h"

namespace quorvale {

// The coat colour name of an animal in the given language: the base colour
// chosen by the rule table, with the umbrous, pattern, satin and coat-length
// words; or the lethal text alone; or the unnamed text alone, in which case
// the unnamed-colour marker g.expressed[UnnamedMarker] is set.
// REQUIRES: deriveExpressed has just run on g (so the marker is clear).
std::u32string coatColourName(Genotype& g, Language language);

// The same in the language of the run.
std::u32string coatColourName(Genotype& g);

}  // namespace quorvale

#endif  // QUORVALE_PHENOTYPE_COLOUR_H_
