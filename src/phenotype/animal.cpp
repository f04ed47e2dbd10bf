#include "phenotype/animal.h"

#include <cassert>
#include <utility>

#include "genetics/genotype_text.h"
#include "phenotype/description.h"
#include "text/genotype_error.h"

namespace quorvale {

AnimalLines describeAnimal(const Genotype& g, bool with_warnings, bool with_sex,
                           Language language) {
  Genotype animal = g;
  const DescriptionKey key = decideDescription(animal, with_warnings, with_sex);
  AnimalLines lines;
  lines.key = key;
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

// The members of writeAnimalJson, into the object that is open.
void writeAnimalMembers(const Genotype& g, bool with_warnings, bool with_sex, Language language,
                        JsonWriter& json) {
  const AnimalLines lines = describeAnimal(g, with_warnings, with_sex, language);
  json.key("genotype");
  json.string(genotypeText(g));
  json.key("sex");
  writeSex(sexOf(g), json);
  json.key("line");
  json.string(describedLine(lines.key, language));
  json.key("english_line");
  json.string(describedLine(lines.key, Language::English));
  json.key("warnings");
  json.beginArray();
  for (const std::u32string& warning : describedWarnings(lines.key, language)) {
    json.string(warning);
  }
  json.endArray();
  json.key("carrier_line");
  if (lines.carrier_line.empty()) {
    json.null();
  } else {
    json.string(lines.carrier_line);
  }
}

}  // namespace

void writeAnimalJson(const Genotype& g, bool with_warnings, bool with_sex, Language language,
                     JsonWriter& json) {
  json.beginObject();
  writeAnimalMembers(g, with_warnings, with_sex, language, json);
  json.endObject();
}

void writeSex(Sex sex, JsonWriter& json) {
  switch (sex) {
    case Sex::Male:
      return json.asciiString("male");
    case Sex::Female:
      return json.asciiString("female");
    case Sex::Unspecified:
      break;
  }
  json.null();
}

void writeColourAnswerJson(std::span<const std::u32string> words,
                           std::span<const Genotype> genotypes, Language language, Output& out) {
  assert(words.size() == genotypes.size());
  JsonWriter json(out);
  json.beginObject();
  json.key("animals");
  json.beginArray(JsonWriter::Layout::kLines);
  for (std::size_t i = 0; i < words.size(); ++i) {
    json.beginObject();
    json.key("word");
    json.string(words[i]);
    writeAnimalMembers(genotypes[i], true, true, language, json);
    json.endObject();
  }
  json.endArray();
  json.endObject();
  json.end();
}

}  // namespace quorvale
