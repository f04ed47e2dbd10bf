#ifndef QUORVALE_PHENOTYPE_ANIMAL_H_
#define QUORVALE_PHENOTYPE_ANIMAL_H_

#include <span>
#include <string>

#include "genetics/genotype.h"
#include "genetics/parser.h"
#include "phenotype/carriers.h"
#include "phenotype/description.h"
#include "text/json.h"
#include "text/language.h"
#include "text/output.h"

namespace quorvale {

// One animal as the program presents it: its description
// (describePhenotype) and its carrier line, from one decision of its coat.
struct AnimalLines {
  DescriptionKey key;  // what the description says (phenotype/description.h)
  std::u32string description;
  std::u32string carrier_line;  // empty when there is nothing to say
  CarriedGenes carried;         // what the carrier line names
};

// Describes g: with_warnings and with_sex as for describePhenotype (option
// 1 shows both, a litter's parent line neither). g itself is not changed.
AnimalLines describeAnimal(const Genotype& g, bool with_warnings, bool with_sex, Language language);

// The answer to one genotype word, as menu option 1 writes it: the
// description line and, when there is one, the carrier line, each ended by
// a line feed; or the parser's message and a line feed.
// REQUIRES: genotype finished.
std::u32string colourAnswer(const GenotypeReader& genotype, Language language);

// One animal as a JSON object:
//
//   {"genotype", "sex", "line", "english_line", "warnings": [TEXT...],
//    "carrier_line"}
//
// the genotype's canonical text; "male", "female" or null, as the genotype
// fixes it (writeSex), whether or not the line shows it; the description's
// colour line (describeAnimal with these flags), in the given language and
// in English, so that a script can compare answers in either language; the
// description's warnings (describedWarnings); the carrier line, or null
// when there is none. The litter's parents and the command color write it.
void writeAnimalJson(const Genotype& g, bool with_warnings, bool with_sex, Language language,
                     JsonWriter& json);

// A sex as JSON: "male", "female", or null for Sex::Unspecified.
void writeSex(Sex sex, JsonWriter& json);

// The answer of the command color as a JSON document: {"animals": [...]},
// for each word {"word"} and then the members of writeAnimalJson for
// option 1's description, each animal on a line of its own.
// REQUIRES: words and genotypes of the same size.
void writeColourAnswerJson(std::span<const std::u32string> words,
                           std::span<const Genotype> genotypes, Language language, Output& out);

}  // namespace quorvale

#endif  // QUORVALE_PHENOTYPE_ANIMAL_H_
