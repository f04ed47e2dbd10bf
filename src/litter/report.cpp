#include "litter/report.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "genetics/parser.h"
#include "litter/analysis.h"
#include "litter/fraction.h"
#include "litter/group_figures.h"
#include "litter/mating.h"
#include "litter/member_lines.h"
#include "litter/phenotype_groups.h"
#include "phenotype/animal.h"
#include "text/decimal.h"
#include "text/digits.h"
#include "text/exact.h"
#include "text/genotype_error.h"
#include "text/messages.h"
#include "text/phrases.h"
#include "text/utf8.h"

namespace quorvale {

namespace {

// "Male: SH Golden, carries genes of ..." and a line end. The male's label
// begins with a line feed, which with_line_feed = false leaves out.
void writeParentLine(MessageId label, const Genotype& parent, bool with_line_feed,
                     Language language, Output& out) {
  const AnimalLines animal = describeAnimal(parent, false, false, language);
  std::u32string_view label_text = messageText(label, language);
  if (!with_line_feed && label_text.starts_with(U'\n')) {
    label_text.remove_prefix(1);
  }
  std::u32string line(label_text);
  line += animal.description;
  if (!animal.carrier_line.empty()) {
    line += U", ";
    line += animal.carrier_line;
  }
  line += U'\n';
  out.write(line);
}

void writeMatingWarnings(const Genotype& male, const Genotype& female, Language language,
                         Output& out) {
  std::vector<MessageId> warnings;
  if (matingWarnings(male, female, warnings)) {
    return;
  }
  for (MessageId warning : warnings) {
    std::u32string line = U"!!! ";
    line += messageText(MessageId::UndesirableForMating, language);
    line += messageText(warning, language);
    line += U" !!!\n";
    out.write(line);
  }
}

// A parse error as a line of the report, the last one.
void writeErrorLine(const GenotypeError& error, Language language, Output& out) {
  std::u32string line = genotypeErrorText(error, language);
  line += U'\n';
  out.write(line);
}

}  // namespace

namespace {

// The fields of a group line between its fraction and its description.
void appendFigures(const PhenotypeGroup& group, const LitterFigures& figures,
                   const ReportOptions& options, Language language, std::u32string& line) {
  appendGroupFigures(groupFigures(group, figures, options.pups), options, language, line);
}

// The carrier lines of a group: "\t\t2/3 \tcarries genes of Cream".
void appendCarrierLines(const PhenotypeGroup& group, const std::vector<CarrierShare>& shares,
                        const ReportOptions& options, Language language, std::u32string& line) {
  for (const CarrierShare& share : shares) {
    appendCarrierLine(share.gene, share.hidden, ratio(share.chance, group.chance), options.percent,
                      language, line);
  }
}

}  // namespace

ParentsRead readParents(std::u32string_view male, std::u32string_view female, Language language) {
  ParentsRead read;
  for (const auto& [word, sex, role] :
       {std::tuple{male, Sex::Male, PhraseId::MaleGenotypeRole},
        std::tuple{female, Sex::Female, PhraseId::FemaleGenotypeRole}}) {
    if (isEmptyGenotype(word)) {
      read.failed = sex;
      read.empty = true;
      read.error = phraseText(role, language);
      read.error += emptyGenotypeText(language);
      return read;
    }
    const GenotypeReader reader = readGenotype(word, sex);
    if (reader.failed()) {
      read.failed = sex;
      read.error = phraseText(role, language);
      read.error += genotypeErrorLine(reader.error(), language);
      return read;
    }
    (sex == Sex::Male ? read.male : read.female) = reader.genotype();
  }
  return read;
}

std::u32string expectedText(const Ratio& expected, Language language) {
  return decimalText(expected, 1, language);
}

void appendGroupFigures(const GroupFigures& shown, const ReportOptions& options, Language language,
                        std::u32string& line) {
  if (options.percent) {
    line += percentText(shown.chance, language);
    line += U'\t';
    if (shown.live) {
      line += percentText(*shown.live, language);
      line += phraseText(PhraseId::OfTheBorn, language);
      line += U'\t';
    }
  }
  if (shown.at_least_one) {
    const std::string pups = std::to_string(options.pups);
    line += phraseText(PhraseId::AtLeastOneIn, language);
    appendAscii(pups, line);
    line += U": ";
    line += percentText(*shown.at_least_one, language);
    line += U'\t';
    line += phraseText(PhraseId::ExpectedIn, language);
    appendAscii(pups, line);
    line += U": ";
    line += expectedText(*shown.expected, language);
    line += U'\t';
  }
}

void appendTogetherLine(const Ratio& chance, const GroupFigures& together,
                        const ReportOptions& options, Language language, std::u32string& line) {
  const FractionDigits digits = lowestTermsDigits(chance);
  line += U'\t';
  appendAscii(digits.numerator, line);
  line += U'/';
  appendAscii(digits.denominator, line);
  line += U" \t";
  appendGroupFigures(together, options, language, line);
  line += phraseText(PhraseId::AllOfThemTogether, language);
  line += U'\n';
}

void appendNoneFoundLine(const LinePattern& find, Language language, std::u32string& line) {
  line += phraseText(PhraseId::NoYoungOfColour, language);
  line += targetText(find, language);
  line += U'\n';
}

void appendCarrierLine(GeneIndex gene, bool hidden, const Ratio& share, bool with_percent,
                       Language language, std::u32string& line) {
  const FractionDigits digits = lowestTermsDigits(share);
  line += U"\t\t";
  appendAscii(digits.numerator, line);
  line += U'/';
  appendAscii(digits.denominator, line);
  line += U" \t";
  if (with_percent) {
    line += percentText(share, language);
    line += U'\t';
  }
  line += carrierShareText(CarrierShare{gene, hidden, 0}, language);
  line += U'\n';
}

std::u32string lethalLine(const Ratio& lethal, Language language) {
  const FractionDigits digits = lowestTermsDigits(lethal);
  std::u32string line;
  appendAscii(digits.numerator, line);
  line += U'/';
  appendAscii(digits.denominator, line);
  line += phraseText(PhraseId::LethalShare, language);
  line += percentText(lethal, language);
  const bool all = lethal.numerator == lethal.denominator;
  line += phraseText(all ? PhraseId::NoYoungBorn : PhraseId::LitterSmaller, language);
  return line;
}

bool lethalLineShown(const ReportOptions& options, bool some_lethal, bool all_lethal) {
  return (options.percent && some_lethal) || ((options.percent || options.pups > 0) && all_lethal);
}

std::optional<int> litterSize(std::u32string_view word) {
  const std::optional<SignedNumber> size = readSignedNumber(word);
  if (!size || size->negative || size->magnitude < 1 || size->magnitude > kMostPups) {
    return std::nullopt;
  }
  return static_cast<int>(size->magnitude);
}

void writeLitter(const Genotype& male, const Genotype& female, const ReportOptions& options,
                 Language language, Output& out) {
  std::u32string line(messageText(MessageId::LitterLabel, language));
  line += U'\n';
  out.write(line);

  const GroupedLitter litter = groupLitter(male, female, language);
  const LitterFigures figures = options.analysed()
                                    ? analyseLitter(litter, options.carriers, options.by_share)
                                    : LitterFigures{};
  MemberLines members(litter.expansion);
  std::string chance;
  const auto write_group = [&](std::size_t index) {
    const PhenotypeGroup& group = litter.groups[index];
    chance.clear();
    appendChanceText(group.chance, chance);
    line.assign(1, U'\t');
    appendAscii(chance, line);
    line += U" \t";
    if (!options.analysed()) {
      line += group.description;
      line += U'\n';
    } else {
      appendFigures(group, figures, options, language, line);
      // The description's first line, the carrier lines, then its warning
      // lines.
      const std::size_t warnings =
          std::min(group.description.find(U'\n'), group.description.size());
      line.append(group.description, 0, warnings);
      line += U'\n';
      if (options.carriers) {
        appendCarrierLines(group, figures.carriers[index], options, language, line);
      }
      if (warnings < group.description.size()) {
        line.append(group.description, warnings + 1);
        line += U'\n';
      }
    }
    out.write(line);
    if (options.members) {
      members.write(group.combinations, out);
    }
  };
  if (options.analysed()) {
    const std::vector<std::size_t> shown =
        options.find ? foundGroups(litter, figures, *options.find) : figures.order;
    for (const std::size_t index : shown) {
      write_group(index);
    }
    if (options.find) {
      line.clear();
      if (shown.empty()) {
        appendNoneFoundLine(*options.find, language, line);
      } else {
        const GroupFigures together = togetherFigures(litter, shown, figures, options.pups);
        appendTogetherLine(together.chance, together, options, language, line);
      }
      out.write(line);
    }
    if (lethalLineShown(options, figures.lethal != 0, figures.lethal == kChanceOne)) {
      line = lethalLine(ratio(figures.lethal, kChanceOne), language);
      line += U'\n';
      out.write(line);
    }
  } else {
    for (std::size_t index = 0; index < litter.groups.size(); ++index) {
      write_group(index);
    }
  }
}

void writeReport(const Genotype& male, const Genotype& female, const ReportOptions& options,
                 Language language, Output& out) {
  writeParentLine(MessageId::MaleLabel, male, options.opening_line_feed, language, out);
  writeParentLine(MessageId::FemaleLabel, female, true, language, out);
  writeMatingWarnings(male, female, language, out);
  writeLitter(male, female, options, language, out);
}

void predictLitter(std::u32string_view male_text, std::u32string_view female_text,
                   Language language, Output& out) {
  const GenotypeReader male = readGenotype(male_text, Sex::Male);
  // As nothing of the female is shown when the male's text fails, her text
  // is read only when his parses.
  const GenotypeReader female =
      male.failed() ? GenotypeReader(Sex::Female) : readGenotype(female_text, Sex::Female);
  predictLitter(male, female, language, out);
}

void predictLitter(const GenotypeReader& male_read, const GenotypeReader& female_read,
                   Language language, Output& out) {
  // Each parent's line, or the error of the first text that failed, ending
  // the report.
  if (male_read.failed()) {
    return writeErrorLine(male_read.error(), language, out);
  }
  if (female_read.failed()) {
    writeParentLine(MessageId::MaleLabel, male_read.genotype(), true, language, out);
    return writeErrorLine(female_read.error(), language, out);
  }
  writeReport(male_read.genotype(), female_read.genotype(), ReportOptions{}, language, out);
}

}  // namespace quorvale
