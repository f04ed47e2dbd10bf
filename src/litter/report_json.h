#ifndef QUORVALE_LITTER_REPORT_JSON_H_
#define QUORVALE_LITTER_REPORT_JSON_H_

#include "genetics/genotype.h"
#include "litter/report.h"
#include "text/language.h"
#include "text/output.h"

namespace quorvale {

// The litter report of two parents as one JSON object, for scripts and the
// web page, with the same texts and figures as the text report:
//
//   {"male": ANIMAL, "female": ANIMAL, "warnings": [TEXT...],
//    "lethal": FRACTION (only when some young are lethal),
//    "groups": [GROUP...]}
//
// ANIMAL is {"genotype", "description", "carrier_line"} (phenotype/animal.h)
// with a parent line's description; a warning is the text between "!!! "
// and " !!!"; a FRACTION is {"numerator", "denominator"} in lowest terms.
// A GROUP is
//
//   {"description", "numerator", "denominator", "percent", "lethal",
//    "live" (FRACTION, its share of the young that are born: only when some
//            young are lethal, and not for a lethal group),
//    "at_least_one", "expected" (with options.pups, not for a lethal group),
//    "carriers": [{"gene", "name", "kind", "numerator", "denominator"}...],
//    "members": [{"genotype", "numerator", "denominator"}...] (with
//               options.members)}
//
// in the order of options.by_share; percent has at most 4 decimals,
// at_least_one (0 to 1) 6, expected 4, all rounded from the exact
// fractions. A carrier's gene is its mutant allele as the notation writes
// it ("e", "U"), its name as the carrier line words it, its kind "hidden"
// or "carried", its fraction the share of the group's young. The members
// are streamed, in the report's order, so memory stays small whatever the
// litter. Each group and each member starts a line of its own. No line
// end after the closing brace.
// REQUIRES: as writeReport.
void writeReportJson(const Genotype& male, const Genotype& female, const ReportOptions& options,
                     Language language, Output& out);

}  // namespace quorvale

#endif  // QUORVALE_LITTER_REPORT_JSON_H_
