#ifndef QUORVALE_LITTER_REPORT_JSON_H_
#define QUORVALE_LITTER_REPORT_JSON_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "genetics/genotype.h"
#include "litter/analysis.h"
#include "litter/phenotype_groups.h"
#include "litter/report.h"
#include "text/json.h"
#include "text/language.h"
#include "text/output.h"

namespace quorvale {

struct GroupFigures;  // litter/group_figures.h

// The litter report of two parents as JSON, for scripts and the web page,
// with the same texts and figures as the text report:
//
//   {"male": ANIMAL, "female": ANIMAL, "warnings": [TEXT...],
//    "lethal": CHANCE, "lethal_line": TEXT (only when some young are lethal),
//    "groups": [GROUP...], "find": FIND (only with options.find)}
//
// ANIMAL is an animal as phenotype/animal.h writes it, with a parent
// line's description; a warning is the text between "!!! " and " !!!"; a
// CHANCE is a chance as writeChance writes it (text/json.h); lethal_line
// is the report's line of the lethal young. A GROUP is
//
//   {"line", "english_line", "sex", "warnings", "lethal",
//    "chance", "live", "at_least_one", "expected",
//    "figures": {"percent", "live", "at_least_one", "expected"},
//    "carriers": [{"gene", "name", "kind", "line", "chance",
//                  "figures": {"percent"}}...],
//    "members": [{"genotype", "chance"}...]}
//
// in the order of options.by_share: its colour line in the language and in
// English, the sex of its young where the cross fixes it (null for young of
// both sexes or none), the warnings of its description, whether it is the
// lethal group, and its figures as groupFigures decides them
// (litter/analysis.h): its chance in the litter always; "live", its chance
// among the young that are born, only when some young are lethal and the
// group is not; with options.pups, not for a lethal group, at_least_one
// (from 0 to 1) and expected as numbers of six significant figures
// (jsonValue). "figures" has the same figures as the text report writes
// them ("25.0 %", "< 0.1 %", "2.0"; a decimal comma in Russian). A
// carrier's gene is its mutant allele as the notation writes it ("e",
// "U"), its name and line as the carrier line words it ("Cream",
// "carries genes of Cream"), its kind "hidden" or "carried", its chance
// the share of the group's young. "carriers" is there whenever they were
// worked out, "members" with options.members: the members are streamed,
// in the report's order, so memory stays small whatever the litter. With
// options.find, "groups" holds only the groups of the colour looked for
// (perhaps none) and "find" is as writeFindJson writes it. Each key
// of the report, each group and each member starts a line of its own.

// The report as a value of a document (the answer of a task holds one).
// REQUIRES: as writeReport.
void writeLitterJson(const Genotype& male, const Genotype& female, const ReportOptions& options,
                     Language language, JsonWriter& json);

// The report as a whole document.
// REQUIRES: as writeReport.
void writeReportJson(const Genotype& male, const Genotype& female, const ReportOptions& options,
                     Language language, Output& out);

// The same document for a litter already grouped and analysed (in the
// order of options.by_share), for a front end that keeps it to page
// through its members later. Without the carriers in figures, the groups
// have no "carriers" (writeCarriersJson writes them on their own).
// REQUIRES: litter is groupLitter(male, female, language) and figures
// analyseLitter(litter, ..., options.by_share).
void writeReportJson(const Genotype& male, const Genotype& female, const GroupedLitter& litter,
                     const LitterFigures& figures, const ReportOptions& options, Language language,
                     Output& out);

// The members of a GROUP from "line" to "figures", for a group of that
// line, sex and figures: for every kind of litter (a stock's too) that
// writes its groups as a litter does.
void writeGroupHeadJson(DescriptionKey key, Sex sex, bool lethal, const GroupFigures& shown,
                        Language language, JsonWriter& json);

// The members of a GROUP from "chance" to "figures", for any figures (a
// group's, or of several groups together).
void writeFiguresJson(const GroupFigures& shown, Language language, JsonWriter& json);

// The member "find" of a report with options.find: {"line",
// "english_line", "together", "none_line"}: the colour looked for as the
// answer names it (targetText), and either the figures of the groups found,
// all of them together, as {"line": "all of them together", "chance",
// "live", "at_least_one", "expected", "figures"} (as a GROUP has them),
// and none_line null; or, when no group is of that colour, together null
// and none_line the report's line that says so.
void writeFindJson(const LinePattern& find, const std::optional<GroupFigures>& together,
                   Language language, JsonWriter& json);

// One object of a GROUP's "carriers": a carrier share of the group's young.
void writeCarrierJson(GeneIndex gene, bool hidden, const Ratio& share, Language language,
                      JsonWriter& json);

// The document {"carriers": [...]} of a group, its carriers as a GROUP of
// the report has them.
void writeCarriersJson(const PhenotypeGroup& group, const std::vector<CarrierShare>& shares,
                       Language language, Output& out);

// The document {"total", "members": [...]}: how many members a group has,
// and its members first to first + count - 1 (fewer when it has fewer), in
// the report's order, as a GROUP's "members" lists them.
void writeMembersJson(const LitterExpansion& expansion, const PhenotypeGroup& group,
                      std::uint64_t first, std::uint64_t count, Output& out);

}  // namespace quorvale

#endif  // QUORVALE_LITTER_REPORT_JSON_H_
