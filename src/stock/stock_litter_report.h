#ifndef QUORVALE_STOCK_STOCK_LITTER_REPORT_H_
#define QUORVALE_STOCK_STOCK_LITTER_REPORT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "litter/report.h"
#include "stock/possible_groups.h"
#include "stock/stock.h"
#include "stock/stock_litter.h"
#include "text/language.h"
#include "text/output.h"

namespace quorvale {

// The report of a litter of two animals of a stock (stock/stock_litter.h),
// as text and as JSON, laid out as a litter's report is.

// A parent as the report shows it: "Male: Rex, SH Golden Banded".
struct ShownParent {
  std::u32string name;  // empty for a parent given by its coat or genotype
  std::u32string line;  // its coat, or a genotype's description and carrier line
  std::u32string english_line;
  StockAnimal animal;  // for the words of its states
};

struct StockLitterReport {
  ShownParent male;
  ShownParent female;
  MixedLitter litter;
  std::vector<PossibleGroup> possible;
  // All the possible groups, or (false) those that need one more unseen
  // allele and a count of the rest.
  bool all_possible = false;
};

// Why the litter of two animals of a stock is not worked out: its sums
// would cost more than the bound, the parents may be too many joint
// genotypes (more than kMostParentGenotypes), or the members asked for are
// too many (more than kMostMixedMembers over all of them).
enum class StockLitterFault : std::uint8_t { None, TooCostly, TooManyGenotypes, TooManyMembers };

inline constexpr std::uint64_t kMostParentGenotypes = 4096;
inline constexpr std::uint64_t kMostMixedMembers = std::uint64_t{1} << 20;

struct StockLitterWork {
  StockLitterFault fault = StockLitterFault::None;
  StockLitterReport report;  // when there is no fault
};

// The report of the litter of animals `male` and `female` of the stock,
// shown as the parents say.
// REQUIRES: both are named animals of the stock, of those sexes, and the
// file can be true (StockModel::possible).
StockLitterWork stockLitter(const Stock& stock, std::size_t male, std::size_t female,
                            ShownParent male_shown, ShownParent female_shown,
                            const ReportOptions& options, bool all_possible, Language language);

// A pairing's warning as the report writes it: "Undesirable for mating:
// ...", without the marks around it.
std::u32string warningText(MessageId warning, Language language);

// The text: the parents' lines, the pairing's warnings (with their chance
// when they do not hold for certain), the line of the assumption when some
// young are possible, "Litter: " and the groups as a litter's report
// writes them (options: members, percent, pups, carriers, by_share, find:
// then only the groups of that colour, possible ones too), then the
// possible groups:
//
//   Possible through more unseen alleles (how many more, the line, what
//   would give it):
//   	+1 	SH BE Cream	if the male carries Cream
//   	245 more need +2 or more: --possible all lists them
void writeStockLitter(const StockLitterReport& report, const ReportOptions& options,
                      Language language, Output& out);

// The JSON: as a litter's report (litter/report_json.h) with the parents
// as {"name", "line", "english_line"}, the warnings as texts and, in
// "warning_chances", [{"warning", "chance"}...], "assumption": TEXT or
// null, and "possible": [{"line", "english_line", "if": [TEXT...],
// "extra_alleles"}...], "possible_more": the number left out.
void writeStockLitterJson(const StockLitterReport& report, const ReportOptions& options,
                          Language language, Output& out);

}  // namespace quorvale

#endif  // QUORVALE_STOCK_STOCK_LITTER_REPORT_H_
