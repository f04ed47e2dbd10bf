#ifndef QUORVALE_PHENOTYPE_COLOUR_H_
#define QUORVALE_PHENOTYPE_COLOUR_H_

#include <cstdint>
#include <string>

#include "genetics/genotype.h"
#include "phenotype/colour_rules.h"
#include "text/language.h"

namespace quorvale {

// The words that extend a base colour. At most one of each kind is given:
// umbrous, pattern, satin, coat length.
enum class ColourWord : std::uint8_t {
  None,
  Umbrous,
  TriColour,
  Tortoiseshell,
  RecessiveDappled,
  DominantSpotBanded,
  Banded,
  DominantSpot,
  Satin,
  DoubleSatin,
  LongHair,
  ShortHair,
};

inline constexpr int ColourWordCount = static_cast<int>(ColourWord::ShortHair) + 1;

// A colour name as decided for one animal, before it is written in either
// language: the class of its coat and the words that extend the base
// colour (all None for the lethal and the unnamed texts, which stand alone).
struct ColourName {
  CoatClass coat;
  ColourWord umbrous = ColourWord::None;
  ColourWord pattern = ColourWord::None;
  ColourWord satin = ColourWord::None;
  ColourWord length = ColourWord::None;
};

// Decides the coat colour name of g: the base colour chosen by the colour
// chart (phenotype/colour_rules.h), with the umbrous, pattern, satin and
// coat-length words; or the lethal text alone; or the unnamed text alone,
// in which case the unnamed-colour marker g.expressed[UnnamedMarker] is
// set. Never clears the marker.
// REQUIRES: deriveExpressed has just run on g (so the marker is clear).
ColourName decideColourName(Genotype& g);

// Appends the name decided to out in the given language, growing out at
// most once. English: "SH Umbrous Golden Banded Satin" (coat length,
// umbrous, base, pattern, satin). Russian: "золотистый копченый с поясом
// атласный КШ" (base, umbrous, pattern, satin, coat length).
void appendColourName(const ColourName& name, Language language, std::u32string& out);

// The text of one colour word as it is put into a name, with the blank that
// joins it ("LH ", " Banded"; Russian " ДШ", " с поясом"); "" for None.
std::u32string_view colourWordText(ColourWord word, Language language);

}  // namespace quorvale

#endif  // QUORVALE_PHENOTYPE_COLOUR_H_
