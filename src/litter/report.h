#ifndef QUORVALE_LITTER_REPORT_H_
#define QUORVALE_LITTER_REPORT_H_

#include <optional>
#include <string>
#include <string_view>

#include "genetics/genotype.h"
#include "genetics/parser.h"
#include "litter/analysis.h"
#include "phenotype/colour_line.h"
#include "text/language.h"
#include "text/output.h"

namespace quorvale {

struct Ratio;         // text/exact.h
struct GroupFigures;  // litter/group_figures.h

// What a litter report shows besides the parents and the group lines.
struct ReportOptions {
  // The dialogue's report opens with an empty line (message 6 begins with a
  // line feed); the command line's starts at "Male: ".
  bool opening_line_feed = true;
  // Under each group line (and its warning lines), the member genotypes.
  bool members = true;

  // The analyses (litter/analysis.h), written as tab-separated fields
  // between a group's fraction and its description, in this order:
  // - percent: its share in per cent; when some young are lethal, also its
  //   share of the young that are born, and after the groups a line with
  //   the lethal share;
  // - pups > 0 (at most kMostPups): the chance that a litter of that many born young holds at
  //   least one of the group, and how many it holds on average (not for a
  //   lethal group);
  // - carriers: under the group line (before its warning lines), a line
  //   "\t\t2/3 \tcarries genes of Cream" for each gene its young's carrier
  //   lines name, with the share of the group's young that it names;
  // - by_share: the groups by share, largest first (ties in the report's
  //   order), instead of the report's order.
  // - find: only the groups whose line fits the colour looked for (as
  //   kTargetFit holds it, phenotype/colour_line.h), then a line with the
  //   figures of all of them together ("all of them together"), or, when
  //   none fits, the line that no young are of that colour.
  bool percent = false;
  int pups = 0;
  bool carriers = false;
  bool by_share = false;
  std::optional<LinePattern> find;

  bool analysed() const { return percent || pups > 0 || carriers || by_share || find; }
};

// The most young a litter of the figures may have (ReportOptions::pups).
inline constexpr int kMostPups = 99;

// A litter's size as the command line and the web page read it: a number
// as readSignedNumber reads it (text/digits.h), from 1 to kMostPups ("8",
// "+8"); nothing for any other word.
std::optional<int> litterSize(std::u32string_view word);

// The parents of a litter as the command line and the web page read their
// words: the male's as a male, then the female's as a female (not read
// when his fails). Either both genotypes, or which word failed and its
// error line: the role and the parser's line as one line ("male genotype:
// Can't parse the following part of genotype: X. Did you skip one of the
// genes in a pair?"). An empty word (text/genotype_error.h) fails before
// it is parsed: "female genotype: the genotype is empty; ...".
struct ParentsRead {
  Genotype male;
  Genotype female;
  Sex failed = Sex::Unspecified;  // Male or Female when that word failed
  bool empty = false;             // it failed as empty
  std::u32string error;           // empty unless one failed
};
ParentsRead readParents(std::u32string_view male, std::u32string_view female, Language language);

// The expected number of a group as the figures write it, with one
// decimal: "2.0", "0,4".
std::u32string expectedText(const Ratio& expected, Language language);

// The line of a litter's lethal young, without its line end: "7/16 of the
// young are lethal (43.8 %): the litter is that much smaller", or when
// every young is lethal, "1/1 of the young are lethal (100.0 %): no young
// are born".
// REQUIRES: lethal > 0.
std::u32string lethalLine(const Ratio& lethal, Language language);

// Whether a litter's text report writes the lethal line after its groups:
// with options.percent when some young are lethal, and with any figure of
// the born asked for (percent, pups) when all are, as then no young are
// born to have figures.
bool lethalLineShown(const ReportOptions& options, bool some_lethal, bool all_lethal);

// The fields of a group line between its fraction and its description,
// from its figures (litter/group_figures.h), each followed by a tab: with
// options.percent its share in per cent and, when it has one, its share of
// the born; with a litter's size, the chance of at least one and how many
// on average. For every kind of litter (a stock's too) that writes its
// groups as a litter does.
void appendGroupFigures(const GroupFigures& shown, const ReportOptions& options, Language language,
                        std::u32string& line);

// The line of the groups a report finds (options.find) after them: the
// fraction of their chance, the figures as appendGroupFigures writes a
// group's, and "all of them together"; a line end.
void appendTogetherLine(const Ratio& chance, const GroupFigures& together,
                        const ReportOptions& options, Language language, std::u32string& line);

// The line that no group of a litter is of the colour looked for: "no young
// of this pairing are Black Tortoiseshell"; a line end.
void appendNoneFoundLine(const LinePattern& find, Language language, std::u32string& line);

// A group's carrier line: "\t\t2/3 \tcarries genes of Cream", with its
// percentage after the fraction when asked, and a line end.
void appendCarrierLine(GeneIndex gene, bool hidden, const Ratio& share, bool with_percent,
                       Language language, std::u32string& line);

// The litter prediction as the user sees it: parses the male's text (as a
// male) and the female's (as a female), and writes their report. A text
// that does not parse ends the report with the parser's message and a line
// end: the male's alone, or the female's after the male's line.
void predictLitter(std::u32string_view male_text, std::u32string_view female_text,
                   Language language, Output& out);

// The same for parents already read: male as a male, female as a female.
// The female is not looked at when the male's text failed.
// REQUIRES: both readers finished, the female's unless the male's failed.
void predictLitter(const GenotypeReader& male, const GenotypeReader& female, Language language,
                   Output& out);

// The report of two parents already read: each parent's colour and carrier
// line, the mating warnings, then "Litter: " and one group line per
// distinct offspring description (in code-point order of the description)
// with its total probability, each followed by its member genotypes with
// their own probabilities, all in the given language. The member lines of
// a group are not in expansion order: they come by the combination of
// description classes they belong to.
// REQUIRES: counts of both parents in 0..2; the male's Yellow count 0 or 2.
void writeReport(const Genotype& male, const Genotype& female, const ReportOptions& options,
                 Language language, Output& out);

// The litter part of the report alone, from the "Litter: " line on.
// REQUIRES: as writeReport.
void writeLitter(const Genotype& male, const Genotype& female, const ReportOptions& options,
                 Language language, Output& out);

}  // namespace quorvale

#endif  // QUORVALE_LITTER_REPORT_H_
