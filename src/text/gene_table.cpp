#include "text/gene_table.h"

#include <string>

#include "genetics/genotype.h"
#include "genetics/genotype_text.h"
#include "text/json.h"
#include "text/messages.h"

namespace quorvale {

namespace {

void writeRow(GeneIndex g, Sex sex, Language language, JsonWriter& json) {
  json.beginObject();
  json.key("gene");
  json.asciiString(geneSymbol(g));
  std::u32string name(geneTitle(g, language));
  if (sex == Sex::Male) {
    name += messageText(MessageId::MaleSuffix, language);
  } else if (sex == Sex::Female) {
    name += messageText(MessageId::FemaleSuffix, language);
  }
  json.key("name");
  json.string(name);
  json.key("two");
  json.asciiString(allelePair(g, 2, sex));
  // A male has one X chromosome, and his Yellow counts as two copies.
  json.key("one");
  if (sex == Sex::Male) {
    json.null();
  } else {
    json.asciiString(allelePair(g, 1, sex));
  }
  json.key("normal");
  json.asciiString(allelePair(g, 0, sex));
  json.endObject();
}

}  // namespace

void writeGeneTableJson(Language language, Output& out) {
  JsonWriter json(out);
  json.beginObject();
  json.key("genes");
  json.beginArray(JsonWriter::Layout::kLines);
  for (GeneIndex g = 0; g < gene::to; ++g) {
    writeRow(g, Sex::Unspecified, language, json);
  }
  writeRow(gene::to, Sex::Female, language, json);
  writeRow(gene::to, Sex::Male, language, json);
  json.endArray();
  json.endObject();
  json.end();
}

}  // namespace quorvale
