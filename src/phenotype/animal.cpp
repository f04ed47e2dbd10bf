#include "phenotype/animal.h"

#include <utility>

#include "phenotype/description.h"
#include "text/genotype_error.h"

namespace quorvale {

AnimalLines describeAnimal(const Genotype& g, bool with_warnings, bool with_sex,
                           Language language) {
  Genotype animal = g;
  const DescriptionKey key = decideDescription(animal, with_warnings, with_sex);
  AnimalLines lines;
  lines.description = describedText(key, language);
  lines.carried = decideCarriedGenes(animal, coatOf(key));
  lines.carrier_line = carriedGenesText(lines.carried, language);
  return lines;
}

std::u32string colourAnswer(const GenotypeReader& genotype, Language language) {
  if (genotype.failed()) {
    std::u32string text = genotypeErrorText(genotype.error(), language);
    text += U'\n';
    return text;
  }
  // The description is built whole before anything is written.
  AnimalLines lines = describeAnimal(genotype.genotype(), /*with_warnings=*/true,
                                     /*with_sex=*/true, language);
  std::u32string text = std::move(lines.description);
  text += U'\n';
  if (!lines.carrier_line.empty()) {
    text += lines.carrier_line;
    text += U'\n';
  }
  return text;
}

}  // namespace quorvale
