#include "webapi/requests.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "genetics/parser.h"
#include "litter/analysis.h"
#include "litter/members.h"
#include "litter/phenotype_groups.h"
#include "litter/report.h"
#include "litter/report_json.h"
#include "phenotype/animal.h"
#include "phenotype/colour_answers.h"
#include "tasks/task.h"
#include "tasks/task_number.h"
#include "text/genotype_error.h"
#include "text/json.h"
#include "text/phrases.h"
#include "text/string_output.h"
#include "text/utf8.h"

namespace quorvale {

struct WebRequests::KeptLitter {
  GroupedLitter litter;
  LitterFigures figures;
  Language language = Language::English;
};

namespace {

std::vector<std::u32string> fieldsOf(std::string_view request) {
  std::vector<std::u32string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = request.find('\n', start);
    fields.push_back(fromUtf8(request.substr(start, end - start)));
    if (end == std::string_view::npos) {
      return fields;
    }
    start = end + 1;
  }
}

std::string errorJson(std::u32string_view text) {
  StringOutput out;
  writeErrorJson(text, "", out);
  return out.bytes();
}

// A whole number of a field; nothing when it is none.
std::optional<std::uint64_t> numberOf(std::u32string_view field) {
  if (field.empty() || field.size() > 12) {
    return std::nullopt;
  }
  std::uint64_t value = 0;
  for (const char32_t c : field) {
    if (c < U'0' || c > U'9') {
      return std::nullopt;
    }
    value = value * 10 + (c - U'0');
  }
  return value;
}

}  // namespace

WebRequests::WebRequests() = default;
WebRequests::~WebRequests() = default;

std::string WebRequests::answer(std::string_view request) {
  const std::vector<std::u32string> fields = fieldsOf(request);
  const std::u32string& verb = fields[0];
  const auto field = [&](std::size_t i) -> std::u32string_view {
    return i < fields.size() ? std::u32string_view(fields[i]) : std::u32string_view();
  };
  StringOutput out;

  if (verb == U"carriers") {
    const std::optional<std::uint64_t> group = numberOf(field(1));
    if (!litter_ || !group || *group >= litter_->figures.order.size()) {
      return errorJson(U"carriers: no such group");
    }
    const std::size_t index = litter_->figures.order[static_cast<std::size_t>(*group)];
    writeCarriersJson(litter_->litter.groups[index], groupCarrierShares(litter_->litter, index),
                      litter_->language, out);
    return out.bytes();
  }

  if (verb == U"members") {
    const std::optional<std::uint64_t> group = numberOf(field(1));
    const std::optional<std::uint64_t> first = numberOf(field(2));
    const std::optional<std::uint64_t> count = numberOf(field(3));
    if (!litter_ || !group || !first || !count || *group >= litter_->figures.order.size()) {
      return errorJson(U"members: no such group");
    }
    const PhenotypeGroup& chosen =
        litter_->litter.groups[litter_->figures.order[static_cast<std::size_t>(*group)]];
    writeMembersJson(litter_->litter.expansion, chosen, *first, *count, out);
    return out.bytes();
  }

  const Language language = field(1) == U"ru" ? Language::Russian : Language::English;
  if (verb == U"color") {
    const GenotypeReader genotype = readGenotype(field(2), Sex::Unspecified);
    if (genotype.failed()) {
      return errorJson(genotypeErrorLine(genotype.error(), language));
    }
    const std::u32string words[] = {std::u32string(field(2))};
    const Genotype genotypes[] = {genotype.genotype()};
    writeColourAnswerJson(words, genotypes, language, out);
    return out.bytes();
  }
  if (verb == U"litter") {
    const GenotypeReader male = readGenotype(field(2), Sex::Male);
    const GenotypeReader female = readGenotype(field(3), Sex::Female);
    for (const auto& [reader, role] : {std::pair{&male, PhraseId::MaleGenotypeRole},
                                       std::pair{&female, PhraseId::FemaleGenotypeRole}}) {
      if (reader->failed()) {
        std::u32string text(phraseText(role, language));
        text += genotypeErrorLine(reader->error(), language);
        return errorJson(text);
      }
    }
    ReportOptions options;
    options.members = false;
    options.pups = static_cast<int>(std::min<std::uint64_t>(numberOf(field(4)).value_or(0), 99));
    options.by_share = field(5) == U"share";
    litter_ = std::make_unique<KeptLitter>();
    litter_->litter = groupLitter(male.genotype(), female.genotype(), language);
    // The carriers of a group come when the page opens it ("carriers"), so
    // that the largest litter answers in one short call.
    litter_->figures = analyseLitter(litter_->litter, /*with_carriers=*/false, options.by_share);
    litter_->language = language;
    writeReportJson(male.genotype(), female.genotype(), litter_->litter, litter_->figures, options,
                    language, out);
    return out.bytes();
  }
  if (verb == U"task") {
    const std::optional<std::int32_t> number = strictTaskNumber(field(2));
    if (!number) {
      return errorJson(phraseText(PhraseId::NotATaskNumber, language));
    }
    const bool easy = field(3) == U"1";
    const std::int32_t numbers[] = {*number};
    writeTasksJson(numbers, easy, /*with_answer=*/false, ReportOptions{}, language, out);
    return out.bytes();
  }
  if (verb == U"colors") {
    // The table splits the words itself.
    const std::u32string words[] = {std::u32string(field(2))};
    if (!writeColourTableJson(words, language, out)) {
      return errorJson(noColourText(field(2), language));
    }
    return out.bytes();
  }
  if (verb == U"genotypes") {
    if (!writeGenotypesOfLineJson(field(2), language, out)) {
      return errorJson(noColourText(field(2), language));
    }
    return out.bytes();
  }
  return errorJson(U"unknown request");
}

}  // namespace quorvale
