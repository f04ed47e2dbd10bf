#ifndef QUORVALE_LITTER_ANALYSIS_H_
#define QUORVALE_LITTER_ANALYSIS_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "genetics/genotype.h"
#include "litter/fraction.h"
#include "litter/phenotype_groups.h"
#include "text/language.h"

namespace quorvale {

struct Ratio;  // text/exact.h

// The questions breeders ask of a litter beyond its groups: how much of it
// is lethal, what share of the young that are born each group is, how
// likely a litter of N is to hold at least one of a group and how many it
// holds on average, and which of a group's young hide or carry which genes.
// Every figure is exact; chances are whole numbers of 2^-28ths of the litter
// (litter/fraction.h).

// Of one group's young, those whose carrier line names a gene, one way.
struct CarrierShare {
  GeneIndex gene = 0;
  bool hidden = false;       // named after "hidden", else after "carries genes of"
  std::uint64_t chance = 0;  // of the whole litter; of the group: chance / group.chance
};

struct LitterFigures {
  // The chance of the lethal young; the young that are born are the rest.
  std::uint64_t lethal = 0;
  // The groups in the order to show them: the report's, or by share.
  std::vector<std::size_t> order;
  // By group (in the litter's order): the genes its young's carrier lines
  // name, the hidden ones and then the carried ones, each in gene order.
  // Empty (for every group) unless asked for.
  std::vector<std::vector<CarrierShare>> carriers;
};

// Works out the figures of a grouped litter: the lethal share always; the
// carrier shares when with_carriers; the groups ordered by share, largest
// first and ties in the report's order, when by_share.
LitterFigures analyseLitter(const GroupedLitter& litter, bool with_carriers, bool by_share);

// The carrier shares of one group (by its place in litter.groups) alone,
// as analyseLitter gives them with_carriers: for a front end that shows
// them only when a group is opened.
std::vector<CarrierShare> groupCarrierShares(const GroupedLitter& litter, std::size_t group);

// The young that are born: everything but the lethal.
inline std::uint64_t bornChance(const LitterFigures& figures) {
  return kChanceOne - figures.lethal;
}

// The chance that a litter of `pups` young that are born holds at least one
// of a group whose share among them is group/born: 1 - (1 - q)^pups.
// REQUIRES: 0 < group <= born; pups >= 1.
Ratio atLeastOne(std::uint64_t group, std::uint64_t born, int pups);

// How many of a litter of `pups` born young are of that group on average:
// pups x q.
Ratio expectedNumber(std::uint64_t group, std::uint64_t born, int pups);

// The words of a carrier share as its line in the report has them:
// "hidden Black", "carries genes of Cream".
std::u32string carrierShareText(const CarrierShare& share, Language language);

}  // namespace quorvale

#endif  // QUORVALE_LITTER_ANALYSIS_H_
