#ifndef QUORVALE_STOCK_PROVE_REPORT_H_
#define QUORVALE_STOCK_PROVE_REPORT_H_

#include <cstddef>

#include "stock/prove.h"
#include "stock/stock.h"
#include "text/language.h"
#include "text/output.h"

namespace quorvale {

// The test matings of an animal (stock/prove.h), written for the breeder.

// The text: the animal's line as the stock's answer writes it, then for
// each state tested a tab, the gene and the state with its chance (or
// ": possible" and how the young recorded changed its odds), and under it
// each mate with what it reveals and, for each confidence, how many young:
//
//   Lulu	female	SH Golden
//   	Cream	carries 2/3 (66.7 %)
//   		ee, not in the file	reveals 1/2 (50.0 %)
//   			95 %	5 young, 1 litter of 8	if none reveals it: 5.9 %
//   		Rex	reveals 1/8 (12.5 %)
//   			95 %	never by this mate alone: 6 such mates, a litter of 8 each
//   			(5 leave 5.04 %)
//
// (the last two on one line). A percent that is compared with a confidence
// is written with two decimals, rounded away from it.
void writeProveText(const Stock& stock, std::size_t animal, const ProveWork& work,
                    const ProveOptions& options, Language language, Output& out);

// The JSON:
//
//   {"animal": NAME, "genes": [{"gene", "name", "state", "chance", "odds_factor",
//     "mates": [{"name", "genotype", "reveal", "young", "litters", "mates_needed",
//                "after", "warnings": [{"warning", "chance"}...]}...]}...]}
//
// one item of "genes" per state tested: "gene" its mutant allele, "name"
// the gene's name, "state" the state's word; "chance" a chance, or null
// when the state is only possible; "odds_factor" {"numerator",
// "denominator", "value"} or null; a mate's "name" null for the best mate
// not in the file, "genotype" its genotype (null for an animal of the
// file); "young", "litters", "mates_needed" and "after" objects keyed by
// the confidence in per cent ("95", "99.9"), holding the number (a chance
// for "after") or null.
void writeProveJson(const Stock& stock, std::size_t animal, const ProveWork& work,
                    const ProveOptions& options, Language language, Output& out);

}  // namespace quorvale

#endif  // QUORVALE_STOCK_PROVE_REPORT_H_
