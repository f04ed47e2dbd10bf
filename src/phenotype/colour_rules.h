#ifndef QUORVALE_PHENOTYPE_COLOUR_RULES_H_
#define QUORVALE_PHENOTYPE_COLOUR_RULES_H_

#include <cstdint>
#include <string_view>

#include "genetics/genotype.h"
#include "text/language.h"

namespace quorvale {

// The base colours a coat can be given, before the umbrous, pattern, satin
// and coat-length words. Two of them are not colours: the lethal combination
// and the catch-all for combinations that have no name.
enum class BaseColour : std::uint8_t {
  Lethal,
  FeWhite,
  DeFeWhite,
  DeWhite,
  BeWhite,
  Unnamed,
  BlueMink,
  IvoryRe,
  Mink,
  CreamRe,
  LilacPearl,
  Lilac,
  HoneyBlack,
  Dove,
  Honey,
  SilverBlonde,
  Blonde,
  Cinnamon,
  DarkGreySable,
  IvoryBe,
  LightGreySable,
  SilverSable,
  Sable,
  BeIvory,
  BeCream,
  BlackPearl,
  YellowBlack,
  SilverBlack,
  Black,
  SmokePearl,
  DarkGrey,
  LightGreyPearl,
  LightGrey,
  SilverPearl,
  Yellow,
  SilverGrey,
  Golden,
};

inline constexpr int BaseColourCount = static_cast<int>(BaseColour::Golden) + 1;

// The colour chart has this many rows, numbered from 1. Row 1 is the lethal
// combination, rows 2 to 4 the DE whites, rows 5 and 6 the silver-grey
// whites, and the last row (Golden) has no condition.
inline constexpr int ColourRuleCount = 49;

// The number of the first row of the colour chart whose conditions g meets.
// Both languages use this one decision.
// REQUIRES: deriveExpressed has run on g.
int colourRuleRow(const Genotype& g);

// The base colour that row `row` of the chart gives.
// REQUIRES: 1 <= row <= ColourRuleCount.
BaseColour colourOfRow(int row);

// The fixed name of a base colour in the given language.
std::u32string_view baseColourText(BaseColour colour, Language language);

// What kind of coat a base colour makes, which decides everything else the
// description says about it. An ordinary colour takes the umbrous and
// pattern words, the sex and the carrier line. A white (chart rows 2 to 6:
// DE White, or the silver-grey white) hides the colour and pattern genes, so
// it takes no umbrous or pattern word and no sex. An unnamed colour and the
// lethal combination are written alone, without sex or carrier line.
enum class CoatKind : std::uint8_t { Coloured, White, Unnamed, Lethal };

// An animal's coat as the colour chart classifies it. Naming, the sex
// suffix, the carrier line and the task generator all read this one value.
struct CoatClass {
  BaseColour base;
  CoatKind kind;
};

// REQUIRES: deriveExpressed has run on g.
CoatClass classifyCoat(const Genotype& g);

// The kind of coat a base colour makes.
CoatKind coatKindOf(BaseColour colour);

}  // namespace quorvale

#endif  // QUORVALE_PHENOTYPE_COLOUR_RULES_H_
