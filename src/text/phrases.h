#ifndef QUORVALE_TEXT_PHRASES_H_
#define QUORVALE_TEXT_PHRASES_H_

#include <cstdint>
#include <string_view>

#include "text/language.h"

namespace quorvale {

// The words of the answers that the dialogue never writes: those of the
// command line and of any other front end, in both languages. The
// dialogue's own texts are the catalogue of text/messages.h.
enum class PhraseId : std::uint8_t {
  // Which word of a command an error is about, before the error itself:
  // "male genotype: ", or "genotype " and "task number " before the word's
  // position and ": ".
  MaleGenotypeRole,
  FemaleGenotypeRole,
  GenotypeRole,
  TaskNumberRole,
  // A word that is no task number (before the word quoted, then the rule);
  // a litter's size that is none.
  NotATaskNumber,
  TaskNumberRule,
  NotALitterSize,
  // The figures of a group line: after a percentage, its share of the young
  // that are born; before a litter's size, the chance of at least one and
  // the number expected.
  OfTheBorn,
  AtLeastOneIn,
  ExpectedIn,
  // The line of a litter's lethal young: the fraction, LethalShare, the
  // percentage, LitterSmaller.
  LethalShare,
  LitterSmaller,
  // The table of colours and the way back from a colour: the genes of a
  // genotype ("genes of " and the names, or none), what an animal of a
  // colour may also hide or carry, and the hints of the command line.
  GenesOf,
  NoMutantGenes,
  MayHide,
  MayCarry,
  NoColourMatches,
  ListOfColours,
  TryGenotypes,
  // A second copy of a gene an animal of a colour has once; the colour
  // words a word that matches none may have been meant as ("A, B or C");
  // the lines a colour typed in part fits.
  MayDouble,
  DidYouMean,
  OrSeparator,
  SeveralColoursMatch,
  // A word given for a genotype that is empty or blanks only.
  EmptyGenotype,
  // The end of the lethal line when every young is lethal, for
  // LitterSmaller.
  NoYoungBorn,
  // A litter's groups of a colour looked for: the line of all of them
  // together; before the colour, the line that there are none.
  AllOfThemTogether,
  NoYoungOfColour,
};

inline constexpr int PhraseCount = static_cast<int>(PhraseId::NoYoungOfColour) + 1;

// The text of a phrase in the given language, exactly as stored.
std::u32string_view phraseText(PhraseId id, Language language);

}  // namespace quorvale

#endif  // QUORVALE_TEXT_PHRASES_H_
