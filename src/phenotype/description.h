#ifndef QUORVALE_PHENOTYPE_DESCRIPTION_H_
#define QUORVALE_PHENOTYPE_DESCRIPTION_H_

#include <cstdint>
#include <string>
#include <vector>

#include "genetics/genotype.h"
#include "phenotype/colour.h"
#include "phenotype/colour_rules.h"
#include "text/language.h"
#include "text/messages.h"

namespace quorvale {

// How one animal is presented: derives g's expressed flags, names the colour
// (which may set the unnamed-colour marker), adds ", male" / ", female" when
// with_sex and the colour is an ordinary named one (not a white, not unnamed,
// not lethal), and, when with_warnings, one line
// "\n\t!!! Undesirable combination of genes: ... !!!" per finding of
// listUndesirableCombinations. No line end at the end. With both flags false
// the text is exactly the colour name. Describing the same record again gives
// the same text and leaves the record as the first call left it.
std::u32string describePhenotype(Genotype& g, bool with_warnings, bool with_sex, Language language);

// What a description says, decided for one animal but not yet written: its
// colour name, sex suffix and warnings, packed into one number. Animals with
// the same key have the same description in either language. Deciding costs
// a fraction of writing, so a caller that describes many animals of few
// kinds (a litter) keys them by this and writes each text once.
struct DescriptionKey {
  std::uint64_t bits = 0;
  friend bool operator==(DescriptionKey, DescriptionKey) = default;
};

// Decides what describePhenotype(g, with_warnings, with_sex, ...) says, with
// the same effect on g.
DescriptionKey decideDescription(Genotype& g, bool with_warnings, bool with_sex);

// The text of a decided description in the given language: its line,
// then each of its warnings as "\n\t!!! " WARNING " !!!".
std::u32string describedText(DescriptionKey key, Language language);

// The colour line of a decided description: the colour name and the sex
// suffix, without the warning lines ("SH Golden, female").
std::u32string describedLine(DescriptionKey key, Language language);

// The warnings of a decided description, each the text between "!!! " and
// " !!!" ("Undesirable combination of genes: Light Grey & Light Grey"),
// in rule order; none without with_warnings.
std::vector<std::u32string> describedWarnings(DescriptionKey key, Language language);

// The coat a decided description names: what the carrier line and the
// analyses of a litter need to know of it, without classifying it again.
CoatClass coatOf(DescriptionKey key);

// The colour name a decided description begins with.
ColourName colourNameOf(DescriptionKey key);

// The sex its suffix names: Unspecified when it has none (decided without
// the sex, or a coat that shows none).
Sex sexShownOf(DescriptionKey key);

// The same description with its coat length left out (no SH or LH): how
// a breeder may record a coat whose length nobody noted.
DescriptionKey withoutCoatLength(DescriptionKey key);

// The same description without its warnings, or without its sex suffix:
// what a breeder sees of the animal, or its line as coats are recorded.
DescriptionKey withoutWarnings(DescriptionKey key);
DescriptionKey withoutSex(DescriptionKey key);

// The genes whose count, not only whether they show, the description reads:
// Satin (Double Satin), Silver Grey (the silver-grey white), Light Grey and
// Dominant Spot (the lethal combinations and their warnings) and Yellow (the
// tortoiseshell, Yellow diluted by Cream).
inline constexpr bool kCountRead[GeneCount] = {
    false, false, false, false, false, false, false,  // e dg p a cd rd l
    false, false, true,  true,  true,  true,          // u ba sa sg lg ds
    true,                                             // to
};

// What describePhenotype reads of gene g with `count` mutant alleles: the
// count itself for the genes of kCountRead, for every other gene only
// whether it shows (0 or 1). Besides these it reads only the sex: genotypes
// of the same sex that agree in this value at every gene have the same
// description.
// REQUIRES: 0 <= g < GeneCount.
constexpr int describedGeneValue(GeneIndex g, int count) {
  return kCountRead[g] ? count : static_cast<int>(geneShows(g, count));
}

// Replaces findings with the undesirable combinations of one animal, in rule
// order (homozygous Light Grey, homozygous Dominant Spot, Double Satin,
// Yellow diluted by Cream, different Greys mixed); at most five. Returns true
// when it found any.
// REQUIRES: deriveExpressed has run on g.
bool listUndesirableCombinations(const Genotype& g, std::vector<MessageId>& findings);

}  // namespace quorvale

#endif  // QUORVALE_PHENOTYPE_DESCRIPTION_H_
