#ifndef QUORVALE_LITTER_GROUP_FIGURES_H_
#define QUORVALE_LITTER_GROUP_FIGURES_H_

#include <cstddef>
#include <optional>
#include <vector>

#include "litter/analysis.h"
#include "litter/phenotype_groups.h"
#include "phenotype/colour_line.h"
#include "text/exact.h"

namespace quorvale {

// The figures of one group, by the rules every front end shows them by
// (the text report, the JSON, the web page): its share of the litter
// always; its share of the young that are born only when some young are
// lethal and the group is not; with a litter's size (pups > 0), the chance
// of at least one of it in such a litter and how many it holds on
// average, but not for a lethal group, whose young are never born.
struct GroupFigures {
  Ratio chance;
  std::optional<Ratio> live;
  std::optional<Ratio> at_least_one;
  std::optional<Ratio> expected;
};

// REQUIRES: group is one of the litter that figures were worked out for.
GroupFigures groupFigures(const PhenotypeGroup& group, const LitterFigures& figures, int pups);

// The figures of several groups of a litter together, by the same rules:
// their chance, their share of the born (of the born among them), and the
// chance that a litter of pups born young holds at least one of any of
// them, 1 - (1 - q)^pups with q the sum of their shares of the born (not
// the at-least-ones added, which are not exclusive), and how many on
// average. Without young of them that are born, no figures of the born.
// REQUIRES: groups are places in litter.groups, each at most once.
GroupFigures togetherFigures(const GroupedLitter& litter, const std::vector<std::size_t>& groups,
                             const LitterFigures& figures, int pups);

// The places (in the order of figures.order) of the groups whose line fits
// a colour looked for, as kTargetFit holds it.
std::vector<std::size_t> foundGroups(const GroupedLitter& litter, const LitterFigures& figures,
                                     const LinePattern& find);

}  // namespace quorvale

#endif  // QUORVALE_LITTER_GROUP_FIGURES_H_
