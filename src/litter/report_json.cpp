#include "litter/report_json.h"

#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

#include "genetics/genotype_text.h"
#include "litter/analysis.h"
#include "litter/fraction.h"
#include "litter/mating.h"
#include "litter/members.h"
#include "litter/phenotype_groups.h"
#include "phenotype/animal.h"
#include "text/decimal.h"
#include "text/messages.h"

namespace quorvale {

namespace {

// "numerator":n,"denominator":d in lowest terms.
void writeFractionMembers(std::uint64_t numerator, std::uint64_t denominator, JsonWriter& json) {
  const std::uint64_t common = std::gcd(numerator, denominator);
  json.key("numerator");
  json.number(static_cast<std::int64_t>(numerator / common));
  json.key("denominator");
  json.number(static_cast<std::int64_t>(denominator / common));
}

void writeFraction(std::uint64_t numerator, std::uint64_t denominator, JsonWriter& json) {
  json.beginObject();
  writeFractionMembers(numerator, denominator, json);
  json.endObject();
}

void writeNumber(std::string_view key, const Ratio& value, int digits, JsonWriter& json) {
  json.key(key);
  json.number(jsonNumber(value, digits));
}

void writeCarriers(const PhenotypeGroup& group, const std::vector<CarrierShare>& shares,
                   Language language, JsonWriter& json) {
  json.key("carriers");
  json.beginArray();
  for (const CarrierShare& share : shares) {
    json.beginObject();
    json.key("gene");
    json.asciiString(mutantAllele(share.gene));
    json.key("name");
    json.string(geneName(share.gene, language));
    json.key("kind");
    json.asciiString(share.hidden ? "hidden" : "carried");
    writeFractionMembers(share.chance, group.chance, json);
    json.endObject();
  }
  json.endArray();
}

// The array of a group's members first to first + count - 1.
void writeMembers(const LitterExpansion& expansion, const PhenotypeGroup& group,
                  std::uint64_t first, std::uint64_t count, JsonWriter& json) {
  json.beginArray(JsonWriter::Layout::kLines);
  MemberWalk walk(expansion);
  walk.walk(group.combinations, first, count, [&](const Member& member) {
    json.beginObject();
    json.key("genotype");
    json.plainString(member.genotype);
    writeFractionMembers(kChanceOne >> member.halvings, kChanceOne, json);
    json.endObject();
  });
  json.endArray();
}

void writeLitterValue(const Genotype& male, const Genotype& female, const GroupedLitter& litter,
                      const LitterFigures& figures, const ReportOptions& options,
                      Language language, JsonWriter& json) {
  json.beginObject(JsonWriter::Layout::kLines);
  json.key("male");
  writeAnimalJson(male, false, false, language, json);
  json.key("female");
  writeAnimalJson(female, false, false, language, json);
  json.key("warnings");
  json.beginArray();
  std::vector<MessageId> warnings;
  matingWarnings(male, female, warnings);
  for (const MessageId warning : warnings) {
    std::u32string text(messageText(MessageId::UndesirableForMating, language));
    text += messageText(warning, language);
    json.string(text);
  }
  json.endArray();

  const std::uint64_t born = bornChance(figures);
  if (figures.lethal != 0) {
    json.key("lethal");
    writeFraction(figures.lethal, kChanceOne, json);
  }
  json.key("groups");
  json.beginArray(JsonWriter::Layout::kLines);
  for (const std::size_t index : figures.order) {
    const PhenotypeGroup& group = litter.groups[index];
    const bool lethal_group = group.coat.kind == CoatKind::Lethal;
    json.beginObject();
    json.key("description");
    json.string(group.description);
    writeFractionMembers(group.chance, kChanceOne, json);
    writeNumber("percent", ratio(group.chance * 100, kChanceOne), 4, json);
    json.key("lethal");
    json.boolean(lethal_group);
    if (figures.lethal != 0 && !lethal_group) {
      json.key("live");
      writeFraction(group.chance, born, json);
    }
    if (options.pups > 0 && !lethal_group) {
      writeNumber("at_least_one", atLeastOne(group.chance, born, options.pups), 6, json);
      writeNumber("expected", expectedNumber(group.chance, born, options.pups), 4, json);
    }
    if (!figures.carriers.empty()) {
      writeCarriers(group, figures.carriers[index], language, json);
    }
    if (options.members) {
      json.key("members");
      writeMembers(litter.expansion, group, 0, memberCount(litter.expansion, group.combinations),
                   json);
    }
    json.endObject();
  }
  json.endArray();
  json.endObject();
}

}  // namespace

void writeLitterJson(const Genotype& male, const Genotype& female, const ReportOptions& options,
                     Language language, JsonWriter& json) {
  const GroupedLitter litter = groupLitter(male, female, language);
  const LitterFigures figures = analyseLitter(litter, /*with_carriers=*/true, options.by_share);
  writeLitterValue(male, female, litter, figures, options, language, json);
}

void writeReportJson(const Genotype& male, const Genotype& female, const ReportOptions& options,
                     Language language, Output& out) {
  JsonWriter json(out);
  writeLitterJson(male, female, options, language, json);
  json.end();
}

void writeReportJson(const Genotype& male, const Genotype& female, const GroupedLitter& litter,
                     const LitterFigures& figures, const ReportOptions& options, Language language,
                     Output& out) {
  JsonWriter json(out);
  writeLitterValue(male, female, litter, figures, options, language, json);
  json.end();
}

void writeCarriersJson(const PhenotypeGroup& group, const std::vector<CarrierShare>& shares,
                       Language language, Output& out) {
  JsonWriter json(out);
  json.beginObject();
  writeCarriers(group, shares, language, json);
  json.endObject();
  json.end();
}

void writeMembersJson(const LitterExpansion& expansion, const PhenotypeGroup& group,
                      std::uint64_t first, std::uint64_t count, Output& out) {
  JsonWriter json(out);
  json.beginObject();
  json.key("total");
  json.number(static_cast<std::int64_t>(memberCount(expansion, group.combinations)));
  json.key("members");
  writeMembers(expansion, group, first, count, json);
  json.endObject();
  json.end();
}

}  // namespace quorvale
