#ifndef QUORVALE_TESTING_SHORTCUTS_H_
#define QUORVALE_TESTING_SHORTCUTS_H_

// Shortcuts for tests, fuzz targets and benchmarks: a whole text parsed at
// once, and a colour name on its own. The program reads genotypes piece by
// piece and keeps a bad one as data; a test wants the record, or a failure.

#include <string>
#include <string_view>

#include "genetics/genotype.h"
#include "genetics/parser.h"
#include "phenotype/colour.h"
#include "text/language.h"

namespace quorvale {

// The record readGenotype reads from the whole text. Throws the
// GenotypeError of its first fault.
inline Genotype parseGenotype(std::u32string_view text, Sex starting_sex) {
  const GenotypeReader reader = readGenotype(text, starting_sex);
  if (reader.failed()) {
    throw reader.error();
  }
  return reader.genotype();
}

// The coat colour name of g in the given language, as every description
// begins; sets the unnamed-colour marker as naming does.
// REQUIRES: deriveExpressed has just run on g.
inline std::u32string coatColourName(Genotype& g, Language language) {
  std::u32string text;
  appendColourName(decideColourName(g), language, text);
  return text;
}

}  // namespace quorvale

#endif  // QUORVALE_TESTING_SHORTCUTS_H_
