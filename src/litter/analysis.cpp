#include "litter/analysis.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "litter/fraction.h"
#include "phenotype/carriers.h"

namespace quorvale {

namespace {

// The carrier shares of every group, from one more walk over the litter.
// The representative of a combination stands for all its young in what the
// description reads, and so in what the carrier line hides
// (phenotype/description_test.cpp checks it); which young carry a
// recessive gene in one copy depends on the option of that gene, so a
// combination adds the chance of just the options that do: its chance with
// that gene's quarters swapped for theirs.
std::vector<std::vector<CarrierShare>> carrierShares(const GroupedLitter& litter) {
  using GeneChances = std::array<std::uint64_t, GeneCount>;
  std::vector<GeneChances> hidden(litter.groups.size());
  std::vector<GeneChances> carried(litter.groups.size());
  std::uint32_t counted = 0;
  forEachCombination(litter.expansion, [&](std::uint32_t combination, Genotype& representative,
                                           std::uint64_t chance) {
    const std::uint32_t index = litter.group_of_combination[counted++];
    const CoatClass coat = litter.groups[index].coat;
    deriveExpressed(representative);
    const CarriedGenes genes = decideCarriedGenes(representative, coat);
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      if ((genes.hidden >> g & 1u) != 0) {
        hidden[index][g] += chance;
      }
      const GeneClass& cls =
          litter.expansion.classes[g][static_cast<std::size_t>(classOf(combination, g))];
      std::uint64_t carrying = 0;
      for (const GeneOption& option : cls.options) {
        if (namesCarried(g, option.count, coat)) {
          carrying += 4u >> option.halvings;
        }
      }
      if (carrying != 0) {
        carried[index][g] += chance / cls.quarters * carrying;
      }
    }
  });
  std::vector<std::vector<CarrierShare>> shares(litter.groups.size());
  for (std::size_t i = 0; i < shares.size(); ++i) {
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      if (hidden[i][g] != 0) {
        shares[i].push_back({g, true, hidden[i][g]});
      }
    }
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      if (carried[i][g] != 0) {
        shares[i].push_back({g, false, carried[i][g]});
      }
    }
  }
  return shares;
}

}  // namespace

LitterFigures analyseLitter(const GroupedLitter& litter, bool with_carriers, bool by_share) {
  LitterFigures figures;
  for (const PhenotypeGroup& group : litter.groups) {
    if (group.coat.kind == CoatKind::Lethal) {
      figures.lethal += group.chance;
    }
  }
  figures.order.resize(litter.groups.size());
  std::iota(figures.order.begin(), figures.order.end(), std::size_t{0});
  if (by_share) {
    std::stable_sort(figures.order.begin(), figures.order.end(), [&](std::size_t a, std::size_t b) {
      return litter.groups[a].chance > litter.groups[b].chance;
    });
  }
  if (with_carriers) {
    figures.carriers = carrierShares(litter);
  }
  return figures;
}

Ratio atLeastOne(std::uint64_t group, std::uint64_t born, int pups) {
  // 1 - ((born - group) / born)^pups, over born^pups.
  Natural all = power(static_cast<std::uint32_t>(born), pups);
  Natural none = power(static_cast<std::uint32_t>(born - group), pups);
  Natural some = all;
  some -= none;
  return {some, all};
}

Ratio expectedNumber(std::uint64_t group, std::uint64_t born, int pups) {
  return ratio(group * static_cast<std::uint64_t>(pups), born);
}

}  // namespace quorvale
