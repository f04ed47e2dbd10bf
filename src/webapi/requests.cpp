#include "webapi/requests.h"

#include <cstdint>
#include <optional>
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
#include "text/digits.h"
#include "text/gene_table.h"
#include "text/genotype_error.h"
#include "text/json.h"
#include "text/phrases.h"
#include "text/string_output.h"
#include "text/utf8.h"

namespace quorvale {

struct WebRequests::Kept {
  Litter asked;
  Genotype male;
  Genotype female;
  GroupedLitter litter;
  LitterFigures figures;
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

std::string errorJson(std::u32string_view text, std::string_view input) {
  StringOutput out;
  writeErrorJson(text, input, out);
  return out.bytes();
}

// A request the page should never send.
std::string badRequest(std::u32string_view why) { return errorJson(why, "request"); }

bool sameLitter(const WebRequests::Litter& a, const WebRequests::Litter& b) {
  return a.language == b.language && a.male == b.male && a.female == b.female &&
         a.by_share == b.by_share;
}

}  // namespace

WebRequests::WebRequests() = default;
WebRequests::~WebRequests() = default;

std::string WebRequests::answer(std::string_view request) {
  const std::vector<std::u32string> fields = fieldsOf(request);
  const std::u32string_view verb = fields[0];
  const auto field = [&](std::size_t i) -> std::u32string_view {
    return i < fields.size() ? std::u32string_view(fields[i]) : std::u32string_view();
  };
  // Each verb with the number of its fields.
  struct Verb {
    std::u32string_view name;
    std::size_t fields;
  };
  constexpr Verb kVerbs[] = {{U"color", 3}, {U"litter", 6}, {U"carriers", 6},  {U"members", 8},
                             {U"task", 4},  {U"colors", 3}, {U"genotypes", 3}, {U"genes", 2}};
  const Verb* known = nullptr;
  for (const Verb& v : kVerbs) {
    known = v.name == verb ? &v : known;
  }
  if (known == nullptr) {
    return badRequest(U"unknown request");
  }
  if (fields.size() != known->fields) {
    return badRequest(U"wrong number of fields");
  }
  if (field(1) != U"en" && field(1) != U"ru") {
    return badRequest(U"unknown language");
  }
  const Language language = field(1) == U"ru" ? Language::Russian : Language::English;
  if (verb == U"color") {
    return colour(language, field(2));
  }
  if (verb == U"task") {
    return task(language, field(2), field(3) == U"1");
  }
  if (verb == U"colors") {
    return colours(language, field(2));
  }
  if (verb == U"genotypes") {
    return genotypes(language, field(2));
  }
  if (verb == U"genes") {
    return genes(language);
  }

  // The verbs of a litter: MALE FEMALE, then the sort where it is last
  // before the group's fields.
  const std::size_t sort_at = verb == U"litter" ? 5 : 4;
  if (field(sort_at) != U"text" && field(sort_at) != U"share") {
    return badRequest(U"unknown order");
  }
  const Litter asked{.language = language,
                     .male = std::u32string(field(2)),
                     .female = std::u32string(field(3)),
                     .by_share = field(sort_at) == U"share"};
  if (verb == U"litter") {
    return litter(asked, field(4));
  }
  const std::optional<std::uint64_t> group = readDigits(field(5));
  if (!group) {
    return badRequest(U"no such group");
  }
  const Group chosen{.litter = asked, .group = static_cast<std::size_t>(*group)};
  if (verb == U"carriers") {
    return carriers(chosen);
  }
  const std::optional<std::uint64_t> first = readDigits(field(6));
  const std::optional<std::uint64_t> count = readDigits(field(7));
  if (!first || !count) {
    return badRequest(U"no such members");
  }
  return members(chosen, *first, *count);
}

std::string WebRequests::colour(Language language, std::u32string_view genotype) {
  const GenotypeReader read = readGenotype(genotype, Sex::Unspecified);
  if (read.failed()) {
    return errorJson(genotypeErrorLine(read.error(), language), "genotype");
  }
  StringOutput out;
  const std::u32string words[] = {std::u32string(genotype)};
  const Genotype genotypes[] = {read.genotype()};
  writeColourAnswerJson(words, genotypes, language, out);
  return out.bytes();
}

const WebRequests::Kept* WebRequests::kept(const Litter& litter, std::string& error) {
  if (kept_ && sameLitter(kept_->asked, litter)) {
    return kept_.get();
  }
  const ParentsRead parents = readParents(litter.male, litter.female, litter.language);
  if (!parents.error.empty()) {
    error = errorJson(parents.error, parents.failed == Sex::Male ? "male" : "female");
    return nullptr;
  }
  kept_.reset();
  auto made = std::make_unique<Kept>();
  made->asked = litter;
  made->male = parents.male;
  made->female = parents.female;
  made->litter = groupLitter(parents.male, parents.female, litter.language);
  // The carriers of a group come when the page opens it, so that the
  // largest litter answers in one short call.
  made->figures = analyseLitter(made->litter, /*with_carriers=*/false, litter.by_share);
  kept_ = std::move(made);
  return kept_.get();
}

std::string WebRequests::litter(const Litter& litter, std::u32string_view pups) {
  const std::optional<int> size = litterSize(pups);
  if (!size) {
    return errorJson(phraseText(PhraseId::NotALitterSize, litter.language), "pups");
  }
  ReportOptions options;
  options.members = false;
  options.pups = *size;
  options.by_share = litter.by_share;
  std::string error;
  const Kept* found = kept(litter, error);
  if (found == nullptr) {
    return error;
  }
  StringOutput out;
  writeReportJson(found->male, found->female, found->litter, found->figures, options,
                  litter.language, out);
  return out.bytes();
}

std::string WebRequests::carriers(const Group& group) {
  std::string error;
  const Kept* found = kept(group.litter, error);
  if (found == nullptr) {
    return error;
  }
  if (group.group >= found->figures.order.size()) {
    return badRequest(U"no such group");
  }
  const std::size_t index = found->figures.order[group.group];
  StringOutput out;
  writeCarriersJson(found->litter.groups[index], groupCarrierShares(found->litter, index),
                    group.litter.language, out);
  return out.bytes();
}

std::string WebRequests::members(const Group& group, std::uint64_t first, std::uint64_t count) {
  std::string error;
  const Kept* found = kept(group.litter, error);
  if (found == nullptr) {
    return error;
  }
  if (group.group >= found->figures.order.size()) {
    return badRequest(U"no such group");
  }
  StringOutput out;
  writeMembersJson(found->litter.expansion, found->litter.groups[found->figures.order[group.group]],
                   first, count, out);
  return out.bytes();
}

std::string WebRequests::task(Language language, std::u32string_view number, bool easy) {
  const std::optional<std::int32_t> read = strictTaskNumber(number);
  if (!read) {
    return errorJson(phraseText(PhraseId::NotATaskNumber, language), "number");
  }
  StringOutput out;
  const std::int32_t numbers[] = {*read};
  writeTasksJson(numbers, easy, /*with_answer=*/false, ReportOptions{}, language, out);
  return out.bytes();
}

std::string WebRequests::colours(Language language, std::u32string_view words) {
  // The table splits the words itself.
  const std::u32string all[] = {std::u32string(words)};
  StringOutput out;
  std::u32string error;
  if (!writeColourTableJson(all, language, out, &error)) {
    return errorJson(error, "words");
  }
  return out.bytes();
}

std::string WebRequests::genotypes(Language language, std::u32string_view line) {
  StringOutput out;
  std::u32string error;
  if (!writeGenotypesOfLineJson(line, language, out, &error)) {
    return errorJson(error, "line");
  }
  return out.bytes();
}

std::string WebRequests::genes(Language language) {
  StringOutput out;
  writeGeneTableJson(language, out);
  return out.bytes();
}

}  // namespace quorvale
