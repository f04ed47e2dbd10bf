#include "stock/stock_litter_report.h"

#include <algorithm>
#include <numeric>
#include <optional>

#include "litter/group_figures.h"
#include "litter/inheritance.h"
#include "litter/report_json.h"
#include "stock/stock_answer.h"
#include "text/decimal.h"
#include "text/exact.h"
#include "text/json.h"
#include "text/messages.h"
#include "text/utf8.h"

namespace quorvale {

namespace {

// The words of the report that a litter of genotypes never writes.
struct ReportWords {
  std::u32string_view assumption;
  std::u32string_view possible_head;
  std::u32string_view if_;
  std::u32string_view and_;
  std::u32string_view or_;
  std::u32string_view more_before;
  std::u32string_view more_after;
};

constexpr ReportWords kReportWords[LanguageCount] = {
    {U"The shares assume that the parents carry nothing unseen beyond what is recorded.",
     U"Possible through more unseen alleles (how many more, the line, what would give it):", U"if ",
     U" and ", U" or ", U" more need +2 or more: ", U"--possible all lists them"},
    {U"Доли посчитаны в предположении, что родители не носят ничего невидимого сверх записанного.",
     U"Возможны при большем числе невидимых аллелей (сколько еще, окрас, что его дало бы):",
     U"если ", U" и ", U" или ", U" - при +2 и более: их перечисляет ", U"--possible all"},
};

const ReportWords& words(Language language) { return kReportWords[static_cast<int>(language)]; }

void appendFraction(const Ratio& chance, std::u32string& text) {
  const FractionDigits digits = lowestTermsDigits(chance);
  appendAscii(digits.numerator, text);
  text += U'/';
  appendAscii(digits.denominator, text);
}

bool isOne(const Ratio& r) { return r.numerator == r.denominator; }

// The parent's line: "Male: Rex, SH Golden Banded".
std::u32string parentLine(MessageId label, const ShownParent& parent, Language language) {
  std::u32string_view label_text = messageText(label, language);
  if (label_text.starts_with(U'\n')) {
    label_text.remove_prefix(1);
  }
  std::u32string line(label_text);
  if (!parent.name.empty()) {
    line += parent.name;
    line += U", ";
  }
  line += parent.line;
  return line;
}

// The figures of a group by the rules of every litter's figures.
GroupFigures figuresOf(const MixedGroup& group, const Ratio& lethal) {
  GroupFigures shown;
  shown.chance = group.chance;
  if (lethal.numerator != 0 && group.coat.kind != CoatKind::Lethal) {
    shown.live = lowestTerms({group.chance.numerator * lethal.denominator,
                              group.chance.denominator * (lethal.denominator - lethal.numerator)});
  }
  shown.at_least_one = group.at_least_one;
  shown.expected = group.expected;
  return shown;
}

// The groups in the order to show them: the report's, or by share; with
// a colour looked for, only the groups of that colour.
std::vector<std::size_t> orderOf(const MixedLitter& litter, const ReportOptions& options) {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < litter.groups.size(); ++i) {
    if (!options.find || isFound(litter.groups[i], *options.find)) {
      order.push_back(i);
    }
  }
  if (options.by_share) {
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
      const Ratio& x = litter.groups[a].chance;
      const Ratio& y = litter.groups[b].chance;
      return x.numerator * y.denominator > y.numerator * x.denominator;
    });
  }
  return order;
}

// The figures of the groups shown together, as a litter's are (stock/stock_litter.h:
// at least one as an expectation over the parents' joint genotype).
// REQUIRES: order is not empty.
GroupFigures togetherOf(const MixedLitter& litter, const std::vector<std::size_t>& order) {
  Ratio chance = ratio(0, 1);
  Ratio born = ratio(0, 1);
  std::optional<Ratio> expected;
  for (const std::size_t index : order) {
    const MixedGroup& group = litter.groups[index];
    chance = sumOf(chance, group.chance);
    if (group.coat.kind != CoatKind::Lethal) {
      born = sumOf(born, group.chance);
    }
    if (group.expected) {
      expected = sumOf(expected.value_or(ratio(0, 1)), *group.expected);
    }
  }
  GroupFigures shown;
  shown.chance = chance;
  if (litter.lethal.numerator != 0 && born.numerator != 0) {
    shown.live =
        lowestTerms({born.numerator * litter.lethal.denominator,
                     born.denominator * (litter.lethal.denominator - litter.lethal.numerator)});
  }
  shown.at_least_one = litter.found_at_least_one;
  shown.expected = expected;
  return shown;
}

// A possible group's conditions: "if the male carries Cream or the female
// carries Cream".
std::vector<std::u32string> conditionTexts(const StockLitterReport& report,
                                           const PossibleGroup& group, Language language) {
  std::vector<std::u32string> texts;
  for (const std::vector<ParentCondition>& way : group.conditions) {
    std::u32string text;
    for (std::size_t i = 0; i < way.size(); ++i) {
      const ParentCondition& c = way[i];
      text += i == 0 ? U"" : words(language).and_;
      text += conditionText(c.male ? report.male.animal : report.female.animal, c.male, c.gene,
                            c.state, language);
    }
    texts.push_back(std::move(text));
  }
  return texts;
}

// The possible groups shown: all, or those that need one more allele.
std::size_t possibleShown(const StockLitterReport& report) {
  if (report.all_possible) {
    return report.possible.size();
  }
  return static_cast<std::size_t>(
      std::count_if(report.possible.begin(), report.possible.end(),
                    [](const PossibleGroup& g) { return g.extra == 1; }));
}

}  // namespace

std::u32string warningText(MessageId warning, Language language) {
  std::u32string text(messageText(MessageId::UndesirableForMating, language));
  text += messageText(warning, language);
  return text;
}

StockLitterWork stockLitter(const Stock& stock, std::size_t male, std::size_t female,
                            ShownParent male_shown, ShownParent female_shown,
                            const ReportOptions& options, bool all_possible, Language language) {
  StockLitterWork work;
  const StockModel model(stock);
  const std::optional<StockModel::Joint> joint = model.joint({male, female});
  if (!joint) {
    work.fault = StockLitterFault::TooCostly;
    return work;
  }
  if (parentGenotypeCount(joint->parts) > kMostParentGenotypes) {
    work.fault = StockLitterFault::TooManyGenotypes;
    return work;
  }
  const std::vector<ParentGenotypes> pairs = parentGenotypes(joint->parts, male, female);
  if (options.members) {
    // Each joint genotype's members: the product of each gene's children.
    std::uint64_t members = 0;
    for (const ParentGenotypes& pair : pairs) {
      std::uint64_t of_pair = 1;
      for (GeneIndex g = 0; g < GeneCount; ++g) {
        of_pair *= static_cast<std::uint64_t>(
            geneChildren(g, pair.male.alleleCount[static_cast<std::size_t>(g)],
                         pair.female.alleleCount[static_cast<std::size_t>(g)])
                .size);
      }
      members += of_pair;
    }
    if (members > kMostMixedMembers) {
      work.fault = StockLitterFault::TooManyMembers;
      return work;
    }
  }
  work.report.male = std::move(male_shown);
  work.report.female = std::move(female_shown);
  work.report.litter =
      mixedLitter(pairs, {options.pups, options.carriers, options.members, options.find}, language);
  work.report.possible = possibleGroups(joint->parts, male, language);
  if (options.find) {
    // Only the young of the colour looked for, possible ones too.
    std::erase_if(work.report.possible, [&](const PossibleGroup& group) {
      return !fitsLine(group.key, *options.find, kTargetFit);
    });
  }
  work.report.all_possible = all_possible;
  return work;
}

void writeStockLitter(const StockLitterReport& report, const ReportOptions& options,
                      Language language, Output& out) {
  const MixedLitter& litter = report.litter;
  std::u32string text = parentLine(MessageId::MaleLabel, report.male, language);
  text += U'\n';
  text += parentLine(MessageId::FemaleLabel, report.female, language);
  text += U'\n';
  for (const MixedWarning& warning : litter.warnings) {
    text += U"!!! ";
    text += warningText(warning.warning, language);
    text += U" !!!";
    if (!isOne(warning.chance)) {
      text += U' ';
      appendFraction(warning.chance, text);
      text += U" (";
      text += percentText(warning.chance, language);
      text += U')';
    }
    text += U'\n';
  }
  if (!report.possible.empty()) {
    text += words(language).assumption;
    text += U'\n';
  }
  text += messageText(MessageId::LitterLabel, language);
  text += U'\n';
  out.write(text);

  const std::vector<std::size_t> order = orderOf(litter, options);
  for (const std::size_t index : order) {
    const MixedGroup& group = litter.groups[index];
    text.assign(1, U'\t');
    appendFraction(group.chance, text);
    text += U" \t";
    if (!options.analysed()) {
      text += group.description;
      text += U'\n';
    } else {
      appendGroupFigures(figuresOf(group, litter.lethal), options, language, text);
      // The description's first line, the carrier lines, then its warnings.
      const std::size_t warnings =
          std::min(group.description.find(U'\n'), group.description.size());
      text.append(group.description, 0, warnings);
      text += U'\n';
      if (options.carriers) {
        for (const MixedGroup::Carrier& carrier : group.carriers) {
          appendCarrierLine(carrier.gene, carrier.hidden, carrier.share, options.percent, language,
                            text);
        }
      }
      if (warnings < group.description.size()) {
        text.append(group.description, warnings + 1);
        text += U'\n';
      }
    }
    if (options.members) {
      for (const MixedGroup::Member& member : group.members) {
        text += U"\t\t\t";
        appendFraction(member.chance, text);
        text += U" \t";
        appendAscii(member.genotype, text);
        text += U'\n';
      }
    }
    out.write(text);
  }
  text.clear();
  if (options.find) {
    if (order.empty()) {
      appendNoneFoundLine(*options.find, language, text);
    } else {
      const GroupFigures together = togetherOf(litter, order);
      appendTogetherLine(together.chance, together, options, language, text);
    }
  }
  if (lethalLineShown(options, litter.lethal.numerator != 0, isOne(litter.lethal))) {
    text += lethalLine(litter.lethal, language);
    text += U'\n';
  }
  if (!report.possible.empty()) {
    text += words(language).possible_head;
    text += U'\n';
    const std::size_t shown = possibleShown(report);
    for (std::size_t i = 0; i < shown; ++i) {
      const PossibleGroup& group = report.possible[i];
      text += U"\t+";
      appendAscii(std::to_string(group.extra), text);
      text += U" \t";
      text += describedLine(group.key, language);
      const std::vector<std::u32string> conditions = conditionTexts(report, group, language);
      for (std::size_t k = 0; k < conditions.size(); ++k) {
        text += k == 0 ? U"\t" : words(language).or_;
        text += k == 0 ? words(language).if_ : U"";
        text += conditions[k];
      }
      text += U'\n';
    }
    if (shown < report.possible.size()) {
      text += U'\t';
      appendAscii(std::to_string(report.possible.size() - shown), text);
      text += words(language).more_before;
      text += words(language).more_after;
      text += U'\n';
    }
  }
  out.write(text);
}

void writeStockLitterJson(const StockLitterReport& report, const ReportOptions& options,
                          Language language, Output& out) {
  const MixedLitter& litter = report.litter;
  JsonWriter json(out);
  json.beginObject(JsonWriter::Layout::kLines);
  for (const auto& [key, parent] :
       {std::pair{"male", &report.male}, std::pair{"female", &report.female}}) {
    json.key(key);
    json.beginObject();
    json.key("name");
    if (parent->name.empty()) {
      json.null();
    } else {
      json.string(parent->name);
    }
    json.key("line");
    json.string(parent->line);
    json.key("english_line");
    json.string(parent->english_line);
    json.endObject();
  }
  json.key("warnings");
  json.beginArray();
  for (const MixedWarning& warning : litter.warnings) {
    if (isOne(warning.chance)) {
      json.string(warningText(warning.warning, language));
    }
  }
  json.endArray();
  json.key("warning_chances");
  json.beginArray();
  for (const MixedWarning& warning : litter.warnings) {
    json.beginObject();
    json.key("warning");
    json.string(warningText(warning.warning, language));
    json.key("chance");
    writeChance(warning.chance, json);
    json.endObject();
  }
  json.endArray();
  json.key("assumption");
  if (report.possible.empty()) {
    json.null();
  } else {
    json.string(words(language).assumption);
  }
  if (litter.lethal.numerator != 0) {
    json.key("lethal");
    writeChance(litter.lethal, json);
    json.key("lethal_line");
    json.string(lethalLine(litter.lethal, language));
  }
  json.key("groups");
  json.beginArray(JsonWriter::Layout::kLines);
  const std::vector<std::size_t> order = orderOf(litter, options);
  for (const std::size_t index : order) {
    const MixedGroup& group = litter.groups[index];
    json.beginObject();
    writeGroupHeadJson(group.key, group.sex, group.coat.kind == CoatKind::Lethal,
                       figuresOf(group, litter.lethal), language, json);
    if (options.carriers) {
      json.key("carriers");
      json.beginArray();
      for (const MixedGroup::Carrier& carrier : group.carriers) {
        writeCarrierJson(carrier.gene, carrier.hidden, carrier.share, language, json);
      }
      json.endArray();
    }
    if (options.members) {
      json.key("members");
      json.beginArray(JsonWriter::Layout::kLines);
      for (const MixedGroup::Member& member : group.members) {
        json.beginObject();
        json.key("genotype");
        json.asciiString(member.genotype);
        json.key("chance");
        writeChance(member.chance, json);
        json.endObject();
      }
      json.endArray();
    }
    json.endObject();
  }
  json.endArray();
  if (options.find) {
    std::optional<GroupFigures> together;
    if (!order.empty()) {
      together = togetherOf(litter, order);
    }
    writeFindJson(*options.find, together, language, json);
  }
  json.key("possible");
  json.beginArray(JsonWriter::Layout::kLines);
  const std::size_t shown = possibleShown(report);
  for (std::size_t i = 0; i < shown; ++i) {
    const PossibleGroup& group = report.possible[i];
    json.beginObject();
    json.key("line");
    json.string(describedLine(group.key, language));
    json.key("english_line");
    json.string(describedLine(group.key, Language::English));
    json.key("if");
    json.beginArray();
    for (const std::u32string& condition : conditionTexts(report, group, language)) {
      json.string(condition);
    }
    json.endArray();
    json.key("extra_alleles");
    json.number(static_cast<std::int64_t>(group.extra));
    json.endObject();
  }
  json.endArray();
  json.key("possible_more");
  json.number(static_cast<std::int64_t>(report.possible.size() - shown));
  json.endObject();
  json.end();
}

}  // namespace quorvale
