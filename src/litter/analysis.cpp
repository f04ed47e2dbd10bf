#include "litter/analysis.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <utility>

#include "litter/fraction.h"
#include "litter/group_figures.h"
#include "phenotype/carriers.h"
#include "text/exact.h"
#include "text/messages.h"

namespace quorvale {

namespace {

// What the carrier lines of one group's young name, gene by gene, as
// chances of the whole litter.
struct CarrierChances {
  std::array<std::uint64_t, GeneCount> hidden{};
  std::array<std::uint64_t, GeneCount> carried{};

  // Adds one combination of the group. Its representative stands for all
  // its young in what the description reads, and so in what the carrier
  // line hides (phenotype/description_test.cpp checks it); which young
  // carry a recessive gene in one copy depends on the option of that gene,
  // so the combination adds the chance of just the options that do: its
  // chance with that gene's quarters swapped for theirs.
  // REQUIRES: deriveExpressed has run on representative.
  void add(const LitterExpansion& expansion, std::uint32_t combination,
           const Genotype& representative, std::uint64_t chance, CoatClass coat) {
    const CarriedGenes genes = decideCarriedGenes(representative, coat);
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      if ((genes.hidden >> g & 1u) != 0) {
        hidden[g] += chance;
      }
      const GeneClass& cls =
          expansion.classes[g][static_cast<std::size_t>(classOf(combination, g))];
      std::uint64_t carrying = 0;
      for (const GeneOption& option : cls.options) {
        if (namesCarried(g, option.count, coat)) {
          carrying += 4u >> option.halvings;
        }
      }
      if (carrying != 0) {
        carried[g] += chance / cls.quarters * carrying;
      }
    }
  }

  // The hidden genes, then the carried ones, each in gene order.
  std::vector<CarrierShare> shares() const {
    std::vector<CarrierShare> list;
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      if (hidden[g] != 0) {
        list.push_back({g, true, hidden[g]});
      }
    }
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      if (carried[g] != 0) {
        list.push_back({g, false, carried[g]});
      }
    }
    return list;
  }
};

// The carrier shares of every group, from one more walk over the litter.
std::vector<std::vector<CarrierShare>> carrierShares(const GroupedLitter& litter) {
  std::vector<CarrierChances> chances(litter.groups.size());
  std::uint32_t counted = 0;
  forEachCombination(litter.expansion, [&](std::uint32_t combination, Genotype& representative,
                                           std::uint64_t chance) {
    const std::uint32_t index = litter.group_of_combination[counted++];
    deriveExpressed(representative);
    chances[index].add(litter.expansion, combination, representative, chance,
                       litter.groups[index].coat);
  });
  std::vector<std::vector<CarrierShare>> shares;
  shares.reserve(chances.size());
  for (const CarrierChances& group : chances) {
    shares.push_back(group.shares());
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

std::vector<CarrierShare> groupCarrierShares(const GroupedLitter& litter, std::size_t group) {
  const PhenotypeGroup& chosen = litter.groups[group];
  CarrierChances chances;
  for (const std::uint32_t combination : chosen.combinations) {
    Genotype representative = representativeOf(litter.expansion, combination);
    deriveExpressed(representative);
    chances.add(litter.expansion, combination, representative,
                chanceOf(litter.expansion, combination), chosen.coat);
  }
  return chances.shares();
}

Ratio atLeastOne(std::uint64_t group, std::uint64_t born, int pups) {
  // 1 - ((born - group) / born)^pups, over born^pups.
  Integer all = power(Integer(born), static_cast<unsigned>(pups));
  Integer some = all - power(Integer(born - group), static_cast<unsigned>(pups));
  return {std::move(some), std::move(all)};
}

Ratio expectedNumber(std::uint64_t group, std::uint64_t born, int pups) {
  return ratio(group * static_cast<std::uint64_t>(pups), born);
}

GroupFigures groupFigures(const PhenotypeGroup& group, const LitterFigures& figures, int pups) {
  const bool lethal_group = group.coat.kind == CoatKind::Lethal;
  const std::uint64_t born = bornChance(figures);
  GroupFigures shown;
  shown.chance = ratio(group.chance, kChanceOne);
  if (figures.lethal != 0 && !lethal_group) {
    shown.live = ratio(group.chance, born);
  }
  if (pups > 0 && !lethal_group) {
    shown.at_least_one = atLeastOne(group.chance, born, pups);
    shown.expected = expectedNumber(group.chance, born, pups);
  }
  return shown;
}

GroupFigures togetherFigures(const GroupedLitter& litter, const std::vector<std::size_t>& groups,
                             const LitterFigures& figures, int pups) {
  std::uint64_t all = 0;
  std::uint64_t born_of_them = 0;
  for (const std::size_t index : groups) {
    const PhenotypeGroup& group = litter.groups[index];
    all += group.chance;
    born_of_them += group.coat.kind == CoatKind::Lethal ? 0 : group.chance;
  }
  const std::uint64_t born = bornChance(figures);
  GroupFigures shown;
  shown.chance = ratio(all, kChanceOne);
  if (figures.lethal != 0 && born_of_them != 0) {
    shown.live = ratio(born_of_them, born);
  }
  if (pups > 0 && born_of_them != 0) {
    shown.at_least_one = atLeastOne(born_of_them, born, pups);
    shown.expected = expectedNumber(born_of_them, born, pups);
  }
  return shown;
}

std::vector<std::size_t> foundGroups(const GroupedLitter& litter, const LitterFigures& figures,
                                     const LinePattern& find) {
  std::vector<std::size_t> found;
  for (const std::size_t index : figures.order) {
    if (fitsLine(litter.groups[index].key, find, kTargetFit)) {
      found.push_back(index);
    }
  }
  return found;
}

std::u32string carrierShareText(const CarrierShare& share, Language language) {
  std::u32string text(
      messageText(share.hidden ? MessageId::Hidden : MessageId::CarriesGenesOf, language));
  text += geneName(share.gene, language);
  return text;
}

}  // namespace quorvale
