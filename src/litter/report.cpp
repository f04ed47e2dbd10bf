#include "litter/report.h"

#include <cstdint>
#include <string>
#include <vector>

#include "genetics/parser.h"
#include "litter/fraction.h"
#include "litter/mating.h"
#include "litter/member_lines.h"
#include "litter/phenotype_groups.h"
#include "phenotype/animal.h"
#include "text/genotype_error.h"
#include "text/messages.h"

namespace quorvale {

namespace {

void appendAsciiAsCodePoints(std::string_view ascii, std::u32string& out) {
  for (char c : ascii) {
    out += static_cast<char32_t>(static_cast<unsigned char>(c));
  }
}

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

void writeLitter(const Genotype& male, const Genotype& female, const ReportOptions& options,
                 Language language, Output& out) {
  std::u32string line(messageText(MessageId::LitterLabel, language));
  line += U'\n';
  out.write(line);

  const GroupedLitter litter = groupLitter(male, female, language);
  MemberLines members(litter.expansion);
  std::string chance;
  for (const PhenotypeGroup& group : litter.groups) {
    chance.clear();
    appendChanceText(group.chance, chance);
    line.assign(1, U'\t');
    appendAsciiAsCodePoints(chance, line);
    line += U" \t";
    line += group.description;
    line += U'\n';
    out.write(line);
    if (options.members) {
      members.write(group.combinations, out);
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
