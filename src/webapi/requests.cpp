#include "webapi/requests.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "genetics/parser.h"
#include "litter/analysis.h"
#include "litter/group_figures.h"
#include "litter/members.h"
#include "litter/phenotype_groups.h"
#include "litter/report.h"
#include "litter/report_json.h"
#include "phenotype/animal.h"
#include "phenotype/colour_answers.h"
#include "phenotype/colour_line.h"
#include "stock/prove.h"
#include "stock/prove_report.h"
#include "stock/stock_answer.h"
#include "stock/stock_litter_report.h"
#include "stock/stock_questions.h"
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
  // The groups of the colour last looked for (asked.find), in order: the
  // places that a request's GROUP counts in.
  std::optional<LinePattern> find;
  std::vector<std::size_t> shown;
};

struct WebRequests::KeptStock {
  std::string file;
  std::optional<Stock> stock;  // when its records read
  // Every named animal's answer, once asked for and worked out.
  std::optional<std::vector<AnimalAnswer>> answers;
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

// An error with every line the command line writes about it; the error of
// a parent's word is its one line.
// A text answer as the page shows it: {"text": TEXT}.
std::string textAnswer(const StringOutput& text) {
  StringOutput out;
  JsonWriter json(out);
  json.beginObject();
  json.key("text");
  json.string(fromUtf8(text.bytes()));
  json.endObject();
  json.end();
  return out.bytes();
}

std::string faultsJson(const std::vector<std::u32string>& faults, std::string_view input) {
  if (input == "male" || input == "female") {
    return errorJson(faults.front(), input);
  }
  StringOutput out;
  JsonWriter json(out);
  json.beginObject();
  json.key("error");
  json.string(faults.front());
  json.key("input");
  json.asciiString(input);
  json.key("faults");
  json.beginArray();
  for (const std::u32string& fault : faults) {
    json.string(fault);
  }
  json.endArray();
  json.endObject();
  json.end();
  return out.bytes();
}

// The error of a colour's name given for a genotype, with the name.
std::string colourNameJson(std::u32string_view text, std::u32string_view name) {
  StringOutput out;
  JsonWriter json(out);
  json.beginObject();
  json.key("error");
  json.string(text);
  json.key("input");
  json.asciiString("genotype");
  json.key("colour");
  json.string(name);
  json.endObject();
  json.end();
  return out.bytes();
}

// The input a litter's fault is about: the parent whose word or name
// failed, or else the whole.
std::string_view faultInput(Sex failed, std::string_view whole) {
  return failed == Sex::Male ? "male" : failed == Sex::Female ? "female" : whole;
}

// The options of the litters the page shows from a stock or from coats:
// as its litters of genotypes, with the groups' carriers and members in
// the answer.
ReportOptions mixedOptions(int pups, bool by_share) {
  ReportOptions options;
  options.members = true;
  options.carriers = true;
  options.pups = pups;
  options.by_share = by_share;
  return options;
}

// The colour a litter's request looks for: nothing for an empty field;
// false, and the error in *error, when it is no colour.
bool readFind(std::u32string_view text, Language language, std::optional<LinePattern>& find,
              std::string& error) {
  find.reset();
  if (text.empty()) {
    return true;
  }
  const ColourLineReading reading = readColourLine(text, kTargetFit);
  if (!reading.pattern) {
    error = errorJson(colourLineErrorText(text, reading.error, kTargetFit, language), "find");
    return false;
  }
  find = reading.pattern;
  return true;
}

// A request the page should never send.
std::string badRequest(std::u32string_view why) { return errorJson(why, "request"); }

// The same litter, grouped and ordered alike, whatever colour is looked for.
bool sameLitter(const WebRequests::Litter& a, const WebRequests::Litter& b) {
  return a.language == b.language && a.male == b.male && a.female == b.female &&
         a.by_share == b.by_share;
}

}  // namespace

WebRequests::WebRequests() = default;
WebRequests::~WebRequests() = default;

std::string WebRequests::answer(std::string_view request) {
  // The verbs of a stock: their fields, then the file's bytes.
  const std::string_view first_field = request.substr(0, request.find('\n'));
  const bool proving = first_field == "prove" || first_field == "provetext";
  if (first_field == "stock" || first_field == "stocktext" || first_field == "stocklitter" ||
      proving) {
    const std::size_t count = first_field == "stocklitter" ? 6 : proving ? 3 : 2;
    std::size_t at = 0;
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t end = request.find('\n', at);
      if (end == std::string_view::npos) {
        return badRequest(U"wrong number of fields");
      }
      at = end + 1;
    }
    const std::vector<std::u32string> fields = fieldsOf(request.substr(0, at - 1));
    if (fields[1] != U"en" && fields[1] != U"ru") {
      return badRequest(U"unknown language");
    }
    const Language language = fields[1] == U"ru" ? Language::Russian : Language::English;
    const std::string_view file = request.substr(at);
    if (count == 2) {
      return stock(language, file, first_field == "stocktext");
    }
    if (proving) {
      return prove(language, fields[2], file, first_field == "provetext");
    }
    if (fields[5] != U"text" && fields[5] != U"share") {
      return badRequest(U"unknown order");
    }
    return stockLitter({.language = language,
                        .male = fields[2],
                        .female = fields[3],
                        .by_share = fields[5] == U"share"},
                       fields[4], file);
  }
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
  constexpr Verb kVerbs[] = {{U"color", 3}, {U"litter", 7}, {U"carriers", 7},  {U"members", 9},
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

  // The verbs of a litter: MALE FEMALE, then the sort and the colour looked
  // for where they are last before the group's fields.
  const std::size_t sort_at = verb == U"litter" ? 5 : 4;
  if (field(sort_at) != U"text" && field(sort_at) != U"share") {
    return badRequest(U"unknown order");
  }
  const Litter asked{.language = language,
                     .male = std::u32string(field(2)),
                     .female = std::u32string(field(3)),
                     .by_share = field(sort_at) == U"share",
                     .find = std::u32string(field(sort_at + 1))};
  if (verb == U"litter") {
    return litter(asked, field(4));
  }
  const std::optional<std::uint64_t> group = readDigits(field(6));
  if (!group) {
    return badRequest(U"no such group");
  }
  const Group chosen{.litter = asked, .group = static_cast<std::size_t>(*group)};
  if (verb == U"carriers") {
    return carriers(chosen);
  }
  const std::optional<std::uint64_t> first = readDigits(field(7));
  const std::optional<std::uint64_t> count = readDigits(field(8));
  if (!first || !count) {
    return badRequest(U"no such members");
  }
  return members(chosen, *first, *count);
}

std::string WebRequests::colour(Language language, std::u32string_view genotype) {
  if (isEmptyGenotype(genotype)) {
    return errorJson(emptyGenotypeText(language), "genotype");
  }
  const GenotypeReader read = readGenotype(genotype, Sex::Unspecified);
  if (read.failed()) {
    const std::u32string error = genotypeErrorLine(read.error(), language);
    return isColourName(genotype) ? colourNameJson(error, genotype) : errorJson(error, "genotype");
  }
  StringOutput out;
  const std::u32string words[] = {std::u32string(genotype)};
  const Genotype genotypes[] = {read.genotype()};
  writeColourAnswerJson(words, genotypes, language, out);
  return out.bytes();
}

const WebRequests::Kept* WebRequests::kept(const Litter& litter, std::string& error) {
  if (!kept_ || !sameLitter(kept_->asked, litter)) {
    const ParentsRead parents = readParents(litter.male, litter.female, litter.language);
    if (!parents.error.empty()) {
      error = errorJson(parents.error, parents.failed == Sex::Male ? "male" : "female");
      return nullptr;
    }
    kept_.reset();
    auto made = std::make_unique<Kept>();
    made->asked = litter;
    made->asked.find.clear();  // read below
    made->male = parents.male;
    made->female = parents.female;
    made->litter = groupLitter(parents.male, parents.female, litter.language);
    // The carriers of a group come when the page opens it, so that the
    // largest litter answers in one short call.
    made->figures = analyseLitter(made->litter, /*with_carriers=*/false, litter.by_share);
    made->shown = made->figures.order;
    kept_ = std::move(made);
  }
  if (kept_->asked.find != litter.find) {
    // The groups of another colour looked for.
    if (!readFind(litter.find, litter.language, kept_->find, error)) {
      kept_->asked.find.clear();
      kept_->shown = kept_->figures.order;
      return nullptr;
    }
    kept_->asked.find = litter.find;
    kept_->shown = kept_->find ? foundGroups(kept_->litter, kept_->figures, *kept_->find)
                               : kept_->figures.order;
  }
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
  if (!kept_ || !sameLitter(kept_->asked, litter)) {
    const ParentsRead parents = readParents(litter.male, litter.female, litter.language);
    if (!parents.error.empty()) {
      // A word that is no genotype may be a colour line: a parent known
      // only by its coat.
      ReportOptions mixed = mixedOptions(*size, litter.by_share);
      std::string error;
      if (!readFind(litter.find, litter.language, mixed.find, error)) {
        return error;
      }
      const WordsLitterRead read = litterOfWords(litter.male, litter.female, mixed,
                                                 /*all_possible=*/false, litter.language);
      if (!read.report) {
        return faultsJson(read.faults, faultInput(read.failed, "litter"));
      }
      StringOutput out;
      writeStockLitterJson(*read.report, mixed, litter.language, out);
      return out.bytes();
    }
  }
  std::string error;
  const Kept* found = kept(litter, error);
  if (found == nullptr) {
    return error;
  }
  options.find = found->find;
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
  if (group.group >= found->shown.size()) {
    return badRequest(U"no such group");
  }
  const std::size_t index = found->shown[group.group];
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
  if (group.group >= found->shown.size()) {
    return badRequest(U"no such group");
  }
  StringOutput out;
  writeMembersJson(found->litter.expansion, found->litter.groups[found->shown[group.group]], first,
                   count, out);
  return out.bytes();
}

std::string WebRequests::task(Language language, std::u32string_view number, bool easy) {
  const std::optional<std::int32_t> read = strictTaskNumber(number);
  if (!read) {
    return errorJson(notATaskNumberText(number, language), "number");
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

const WebRequests::KeptStock& WebRequests::keptStock(std::string_view file) {
  if (!kept_stock_ || kept_stock_->file != file) {
    kept_stock_.reset();
    auto made = std::make_unique<KeptStock>();
    made->file = std::string(file);
    // The stock is the same in either language; only its faults are
    // worded, again when they are asked for.
    made->stock = readStock(file, Language::English).stock;
    kept_stock_ = std::move(made);
  }
  return *kept_stock_;
}

std::string WebRequests::stock(Language language, std::string_view file, bool as_text) {
  const KeptStock& kept = keptStock(file);
  if (!kept.stock) {
    return faultsJson(readStock(file, language).faults, "stock");
  }
  if (!kept.answers) {
    StockAnswersRead read = answerStock(*kept.stock, {}, language);
    if (!read.faults.empty()) {
      return faultsJson(read.faults, "stock");
    }
    kept_stock_->answers = std::move(read.answers);
  }
  StringOutput out;
  if (!as_text) {
    writeStockJson(*kept.stock, *kept.answers, language, out);
    return out.bytes();
  }
  writeStockText(*kept.stock, *kept.answers, language, out);
  return textAnswer(out);
}

std::string WebRequests::stockLitter(const StockLitter& litter, std::u32string_view pups,
                                     std::string_view file) {
  const std::optional<int> size = litterSize(pups);
  if (!size) {
    return errorJson(phraseText(PhraseId::NotALitterSize, litter.language), "pups");
  }
  const KeptStock& kept = keptStock(file);
  if (!kept.stock) {
    return faultsJson(readStock(file, litter.language).faults, "stock");
  }
  const ReportOptions options = mixedOptions(*size, litter.by_share);
  const NamedLitterRead read = litterOfNamed(*kept.stock, litter.male, litter.female, options,
                                             /*all_possible=*/false, litter.language);
  if (!read.report) {
    return faultsJson(read.faults, faultInput(read.failed, "stock"));
  }
  StringOutput out;
  writeStockLitterJson(*read.report, options, litter.language, out);
  return out.bytes();
}

std::string WebRequests::prove(Language language, std::u32string_view name, std::string_view file,
                               bool as_text) {
  const KeptStock& kept = keptStock(file);
  if (!kept.stock) {
    return faultsJson(readStock(file, language).faults, "stock");
  }
  ProveOptions options;
  options.confidences = defaultConfidences();
  const ProveRead read = proveNamed(*kept.stock, name, options, language);
  if (!read.animal) {
    return faultsJson(read.faults, "stock");
  }
  StringOutput out;
  if (!as_text) {
    writeProveJson(*kept.stock, *read.animal, read.work, options, language, out);
    return out.bytes();
  }
  writeProveText(*kept.stock, *read.animal, read.work, options, language, out);
  return textAnswer(out);
}

}  // namespace quorvale
