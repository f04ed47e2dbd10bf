#include "phenotype/animal.h"

#include <utility>

#include "genetics/genotype_text.h"
#include "phenotype/description.h"
#include "text/genotype_error.h"
#include "text/json.h"

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

namespace {

// The members of animalJson, without the braces.
void appendAnimalMembers(const Genotype& g, bool with_warnings, bool with_sex, Language language,
                         std::u32string& json) {
  const AnimalLines lines = describeAnimal(g, with_warnings, with_sex, language);
  appendJsonKey(U"genotype", json);
  appendJsonString(genotypeText(g), json);
  json += U',';
  appendJsonKey(U"description", json);
  appendJsonString(lines.description, json);
  json += U',';
  appendJsonKey(U"carrier_line", json);
  if (lines.carrier_line.empty()) {
    appendJsonAscii("null", json);
  } else {
    appendJsonString(lines.carrier_line, json);
  }
}

}  // namespace

std::u32string animalJson(const Genotype& g, bool with_warnings, bool with_sex, Language language) {
  std::u32string json = U"{";
  appendAnimalMembers(g, with_warnings, with_sex, language, json);
  json += U'}';
  return json;
}

std::u32string colourJson(std::u32string_view word, const GenotypeReader& genotype,
                          Language language) {
  std::u32string json = U"{";
  appendJsonKey(U"word", json);
  appendJsonString(word, json);
  json += U',';
  appendAnimalMembers(genotype.genotype(), true, true, language, json);
  json += U'}';
  return json;
}

}  // namespace quorvale
