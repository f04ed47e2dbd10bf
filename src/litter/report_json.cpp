#include "litter/report_json.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "genetics/genotype_text.h"
#include "litter/analysis.h"
#include "litter/fraction.h"
#include "litter/group_figures.h"
#include "litter/mating.h"
#include "litter/members.h"
#include "litter/phenotype_groups.h"
#include "phenotype/animal.h"
#include "phenotype/description.h"
#include "text/decimal.h"
#include "text/exact.h"
#include "text/messages.h"
#include "text/phrases.h"
#include "text/string_output.h"

namespace quorvale {

namespace {

void writeNumber(std::string_view key, const Ratio& value, JsonWriter& json) {
  json.key(key);
  json.number(jsonValue(value));
}

void writeText(std::string_view key, std::u32string_view text, JsonWriter& json) {
  json.key(key);
  json.string(text);
}

void writeCarriers(const PhenotypeGroup& group, const std::vector<CarrierShare>& shares,
                   Language language, JsonWriter& json) {
  json.key("carriers");
  json.beginArray();
  for (const CarrierShare& share : shares) {
    writeCarrierJson(share.gene, share.hidden, ratio(share.chance, group.chance), language, json);
  }
  json.endArray();
}

// The chance of a member, by its halvings: one of 29, each written once.
using MemberChances = std::array<std::string, kChanceBits + 1>;

const MemberChances& memberChances() {
  static const MemberChances chances = [] {
    MemberChances made;
    for (int h = 0; h <= kChanceBits; ++h) {
      StringOutput text;
      JsonWriter json(text);
      writeChance(ratio(kChanceOne >> h, kChanceOne), json);
      json.end();
      made[static_cast<std::size_t>(h)] = text.bytes().substr(0, text.bytes().size() - 1);
    }
    return made;
  }();
  return chances;
}

// The array of a group's members first to first + count - 1.
void writeMembers(const LitterExpansion& expansion, const PhenotypeGroup& group,
                  std::uint64_t first, std::uint64_t count, JsonWriter& json) {
  const MemberChances& chances = memberChances();
  json.beginArray(JsonWriter::Layout::kLines);
  MemberWalk walk(expansion);
  walk.walk(group.combinations, first, count, [&](const Member& member) {
    json.beginObject();
    json.key("genotype");
    json.plainString(member.genotype);
    json.key("chance");
    json.fragment(chances[static_cast<std::size_t>(member.halvings)]);
    json.endObject();
  });
  json.endArray();
}

void writeWarnings(const std::vector<std::u32string>& warnings, JsonWriter& json) {
  json.key("warnings");
  json.beginArray();
  for (const std::u32string& warning : warnings) {
    json.string(warning);
  }
  json.endArray();
}

void writeGroup(const GroupedLitter& litter, std::size_t index, const LitterFigures& figures,
                const ReportOptions& options, Language language, JsonWriter& json) {
  const PhenotypeGroup& group = litter.groups[index];
  json.beginObject();
  writeGroupHeadJson(group.key, group.sex, group.coat.kind == CoatKind::Lethal,
                     groupFigures(group, figures, options.pups), language, json);
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

void writeLitterValue(const Genotype& male, const Genotype& female, const GroupedLitter& litter,
                      const LitterFigures& figures, const ReportOptions& options, Language language,
                      JsonWriter& json) {
  json.beginObject(JsonWriter::Layout::kLines);
  json.key("male");
  writeAnimalJson(male, false, false, language, json);
  json.key("female");
  writeAnimalJson(female, false, false, language, json);
  std::vector<MessageId> findings;
  matingWarnings(male, female, findings);
  std::vector<std::u32string> warnings;
  for (const MessageId finding : findings) {
    std::u32string text(messageText(MessageId::UndesirableForMating, language));
    text += messageText(finding, language);
    warnings.push_back(std::move(text));
  }
  writeWarnings(warnings, json);
  if (figures.lethal != 0) {
    json.key("lethal");
    writeChance(ratio(figures.lethal, kChanceOne), json);
    writeText("lethal_line", lethalLine(ratio(figures.lethal, kChanceOne), language), json);
  }
  const std::vector<std::size_t> shown =
      options.find ? foundGroups(litter, figures, *options.find) : figures.order;
  json.key("groups");
  json.beginArray(JsonWriter::Layout::kLines);
  for (const std::size_t index : shown) {
    writeGroup(litter, index, figures, options, language, json);
  }
  json.endArray();
  if (options.find) {
    std::optional<GroupFigures> together;
    if (!shown.empty()) {
      together = togetherFigures(litter, shown, figures, options.pups);
    }
    writeFindJson(*options.find, together, language, json);
  }
  json.endObject();
}

}  // namespace

void writeGroupHeadJson(DescriptionKey key, Sex sex, bool lethal, const GroupFigures& shown,
                        Language language, JsonWriter& json) {
  writeText("line", describedLine(key, language), json);
  writeText("english_line", describedLine(key, Language::English), json);
  json.key("sex");
  writeSex(sex, json);
  writeWarnings(describedWarnings(key, language), json);
  json.key("lethal");
  json.boolean(lethal);
  writeFiguresJson(shown, language, json);
}

void writeFiguresJson(const GroupFigures& shown, Language language, JsonWriter& json) {
  json.key("chance");
  writeChance(shown.chance, json);
  if (shown.live) {
    json.key("live");
    writeChance(*shown.live, json);
  }
  if (shown.at_least_one) {
    writeNumber("at_least_one", *shown.at_least_one, json);
    writeNumber("expected", *shown.expected, json);
  }
  // The same figures as the text report writes them.
  json.key("figures");
  json.beginObject();
  writeText("percent", percentText(shown.chance, language), json);
  if (shown.live) {
    writeText("live", percentText(*shown.live, language), json);
  }
  if (shown.at_least_one) {
    writeText("at_least_one", percentText(*shown.at_least_one, language), json);
    writeText("expected", expectedText(*shown.expected, language), json);
  }
  json.endObject();
}

void writeFindJson(const LinePattern& find, const std::optional<GroupFigures>& together,
                   Language language, JsonWriter& json) {
  json.key("find");
  json.beginObject();
  writeText("line", targetText(find, language), json);
  writeText("english_line", targetText(find, Language::English), json);
  json.key("together");
  if (together) {
    json.beginObject();
    writeText("line", phraseText(PhraseId::AllOfThemTogether, language), json);
    writeFiguresJson(*together, language, json);
    json.endObject();
  } else {
    json.null();
  }
  json.key("none_line");
  if (together) {
    json.null();
  } else {
    std::u32string line;
    appendNoneFoundLine(find, language, line);
    line.pop_back();
    json.string(line);
  }
  json.endObject();
}

void writeCarrierJson(GeneIndex gene, bool hidden, const Ratio& share, Language language,
                      JsonWriter& json) {
  json.beginObject();
  json.key("gene");
  json.asciiString(mutantAllele(gene));
  writeText("name", geneName(gene, language), json);
  json.key("kind");
  json.asciiString(hidden ? "hidden" : "carried");
  writeText("line", carrierShareText(CarrierShare{gene, hidden, 0}, language), json);
  json.key("chance");
  writeChance(share, json);
  json.key("figures");
  json.beginObject();
  writeText("percent", percentText(share, language), json);
  json.endObject();
  json.endObject();
}

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
