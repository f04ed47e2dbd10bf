#ifndef QUORVALE_TEXT_MESSAGES_H_
#define QUORVALE_TEXT_MESSAGES_H_

#include <cstdint>
#include <string_view>

#include "genetics/genotype.h"
#include "text/language.h"

namespace quorvale {

// The messages of the catalogue: prompts, labels, error texts and the short
// findings that descriptions list. The value is the column of the catalogue.
enum class MessageId : std::uint8_t {
  MenuPrompt = 0,
  CannotParse = 1,
  GenotypePrompt = 2,
  RepeatedGene = 3,
  MalePrompt = 4,
  FemalePrompt = 5,
  MaleLabel = 6,
  FemaleLabel = 7,
  LitterLabel = 8,
  TaskNumberPrompt = 9,
  PressAnyKey = 10,
  CarriesGenesOf = 11,
  AndSeparator = 12,
  UndesirableCombination = 13,
  UndesirableForMating = 14,
  DoubleSatin = 15,
  SatinAndSatin = 16,
  YInFemale = 17,
  OneToInMale = 18,
  YellowDilutedByCream = 19,
  MixingYellowWithCream = 20,
  MaleSuffix = 21,
  FemaleSuffix = 22,
  Hidden = 23,
  HomozygousLightGrey = 24,
  HomozygousDominantSpot = 25,
  DifferentGreysMixed = 26,
  LightGreyAndLightGrey = 27,
  DominantSpotAndDominantSpot = 28,
  MixingDifferentGreys = 29,
  SkippedGeneHint = 30,
};

inline constexpr int MessageCount = static_cast<int>(MessageId::SkippedGeneHint) + 1;

// The text of a message in the given language, exactly as stored: leading
// line feeds and trailing blanks are part of it.
std::u32string_view messageText(MessageId id, Language language);

// The display name of a gene in the given language. The Russian names are
// genitive forms, the form that follows "носит гены ".
std::u32string_view geneName(GeneIndex g, Language language);

// The name of a gene standing alone, as a heading or a table's cell: the
// same in English, the nominative in Russian ("кремовый").
std::u32string_view geneTitle(GeneIndex g, Language language);

}  // namespace quorvale

#endif  // QUORVALE_TEXT_MESSAGES_H_
