#include "litter/report_json.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <span>
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
#include "text/json.h"
#include "text/messages.h"

namespace quorvale {

namespace {

// "numerator":n,"denominator":d in lowest terms.
void appendFractionMembers(std::uint64_t numerator, std::uint64_t denominator,
                           std::u32string& json) {
  const std::uint64_t common = std::gcd(numerator, denominator);
  appendJsonKey(U"numerator", json);
  appendJsonAscii(std::to_string(numerator / common), json);
  json += U',';
  appendJsonKey(U"denominator", json);
  appendJsonAscii(std::to_string(denominator / common), json);
}

void appendFraction(std::uint64_t numerator, std::uint64_t denominator, std::u32string& json) {
  json += U'{';
  appendFractionMembers(numerator, denominator, json);
  json += U'}';
}

void appendNumber(std::u32string_view key, const Ratio& value, int digits, std::u32string& json) {
  json += U',';
  appendJsonKey(key, json);
  appendJsonAscii(jsonNumber(value, digits), json);
}

}  // namespace

void appendCarriersJson(const PhenotypeGroup& group, const std::vector<CarrierShare>& shares,
                        Language language, std::u32string& json) {
  appendJsonKey(U"carriers", json);
  json += U'[';
  for (std::size_t i = 0; i < shares.size(); ++i) {
    const CarrierShare& share = shares[i];
    json += i == 0 ? U"{" : U",{";
    appendJsonKey(U"gene", json);
    appendJsonAscii("\"" + mutantAllele(share.gene) + "\"", json);
    json += U',';
    appendJsonKey(U"name", json);
    appendJsonString(geneName(share.gene, language), json);
    json += U',';
    appendJsonKey(U"kind", json);
    appendJsonString(share.hidden ? U"hidden" : U"carried", json);
    json += U',';
    appendFractionMembers(share.chance, group.chance, json);
    json += U'}';
  }
  json += U']';
}

namespace {

// The chance part of a member, by its halvings: one of 29.
using MemberChances = std::array<std::string, kChanceBits + 1>;

const MemberChances& memberChances() {
  static const MemberChances chances = [] {
    MemberChances made;
    for (int h = 0; h <= kChanceBits; ++h) {
      std::u32string text;
      appendFractionMembers(kChanceOne >> h, kChanceOne, text);
      made[static_cast<std::size_t>(h)].assign(text.begin(), text.end());
    }
    return made;
  }();
  return chances;
}

}  // namespace

void writeMembersJson(const LitterExpansion& expansion, const PhenotypeGroup& group,
                      std::uint64_t first, std::uint64_t count, Output& out) {
  // Streamed as ASCII into the output's room, a line each.
  const MemberChances& chances = memberChances();
  constexpr std::string_view kOpen = "{\"genotype\":\"";
  constexpr std::string_view kBetween = "\",";
  std::span<char> room = out.asciiRoom(Output::kMaxAsciiRoom);
  std::size_t used = 0;
  bool first_member = true;
  const auto put = [&](std::string_view text) {
    std::memcpy(room.data() + used, text.data(), text.size());
    used += text.size();
  };
  MemberWalk walk(expansion);
  walk.walk(group.combinations, first, count, [&](const Member& member) {
    // A member's line is well under 256 bytes.
    if (room.size() - used < 256) {
      out.commitAscii(used);
      room = out.asciiRoom(Output::kMaxAsciiRoom);
      used = 0;
    }
    put(first_member ? "\n" : ",\n");
    first_member = false;
    put(kOpen);
    put(member.genotype);
    put(kBetween);
    put(chances[static_cast<std::size_t>(member.halvings)]);
    put("}");
  });
  out.commitAscii(used);
}

void writeReportJson(const Genotype& male, const Genotype& female, const ReportOptions& options,
                     Language language, Output& out) {
  const GroupedLitter litter = groupLitter(male, female, language);
  const LitterFigures figures = analyseLitter(litter, /*with_carriers=*/true, options.by_share);
  writeReportJson(male, female, litter, figures, options, language, out);
}

void writeReportJson(const Genotype& male, const Genotype& female, const GroupedLitter& litter,
                     const LitterFigures& figures, const ReportOptions& options, Language language,
                     Output& out) {
  std::u32string json = U"{";
  appendJsonKey(U"male", json);
  json += animalJson(male, false, false, language);
  json += U",\n";
  appendJsonKey(U"female", json);
  json += animalJson(female, false, false, language);
  json += U",\n";
  appendJsonKey(U"warnings", json);
  json += U'[';
  std::vector<MessageId> warnings;
  matingWarnings(male, female, warnings);
  for (std::size_t i = 0; i < warnings.size(); ++i) {
    if (i > 0) {
      json += U',';
    }
    std::u32string text(messageText(MessageId::UndesirableForMating, language));
    text += messageText(warnings[i], language);
    appendJsonString(text, json);
  }
  json += U']';

  const std::uint64_t born = bornChance(figures);
  if (figures.lethal != 0) {
    json += U",\n";
    appendJsonKey(U"lethal", json);
    appendFraction(figures.lethal, kChanceOne, json);
  }
  json += U",\n";
  appendJsonKey(U"groups", json);
  json += U'[';
  out.write(json);

  bool first = true;
  for (const std::size_t index : figures.order) {
    const PhenotypeGroup& group = litter.groups[index];
    const bool lethal_group = group.coat.kind == CoatKind::Lethal;
    json.assign(first ? U"\n{" : U",\n{");
    first = false;
    appendJsonKey(U"description", json);
    appendJsonString(group.description, json);
    json += U',';
    appendFractionMembers(group.chance, kChanceOne, json);
    appendNumber(U"percent", ratio(group.chance * 100, kChanceOne), 4, json);
    json += U',';
    appendJsonKey(U"lethal", json);
    appendJsonAscii(lethal_group ? "true" : "false", json);
    if (figures.lethal != 0 && !lethal_group) {
      json += U',';
      appendJsonKey(U"live", json);
      appendFraction(group.chance, born, json);
    }
    if (options.pups > 0 && !lethal_group) {
      appendNumber(U"at_least_one", atLeastOne(group.chance, born, options.pups), 6, json);
      appendNumber(U"expected", expectedNumber(group.chance, born, options.pups), 4, json);
    }
    if (!figures.carriers.empty()) {
      json += U',';
      appendCarriersJson(group, figures.carriers[index], language, json);
    }
    if (options.members) {
      json += U',';
      appendJsonKey(U"members", json);
      json += U'[';
      out.write(json);
      writeMembersJson(litter.expansion, group, 0,
                       memberCount(litter.expansion, group.combinations), out);
      json.assign(U"]");
    }
    json += U'}';
    out.write(json);
  }
  out.write(U"]}");
}

}  // namespace quorvale
