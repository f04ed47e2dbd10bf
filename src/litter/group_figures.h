#ifndef QUORVALE_LITTER_GROUP_FIGURES_H_
#define QUORVALE_LITTER_GROUP_FIGURES_H_

#include <optional>

#include "litter/analysis.h"
#include "litter/phenotype_groups.h"
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

}  // namespace quorvale

#endif  // QUORVALE_LITTER_GROUP_FIGURES_H_
