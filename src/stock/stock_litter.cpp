#include "stock/stock_litter.h"

#include <algorithm>
#include <cassert>
#include <map>
#include <utility>

#include "litter/analysis.h"
#include "litter/fraction.h"
#include "litter/group_figures.h"
#include "litter/mating.h"
#include "litter/members.h"
#include "litter/phenotype_groups.h"

namespace quorvale {

namespace {

void add(Ratio& total, const Ratio& more) { total = sumOf(total, more); }

// The entries of a part's table that the readings of least power have.
std::vector<std::size_t> leadingEntries(const JointPart& part) {
  std::vector<std::size_t> entries;
  for (std::size_t e = 0; e < part.table.table.size(); ++e) {
    const Weight& w = part.table.table[e];
    if (!w.isZero() && w.power == 0) {
      entries.push_back(e);
    }
  }
  return entries;
}

// Sets, in the parents' genotypes, the states that entry e of a part's
// table stands for.
void setStates(const JointPart& part, std::size_t e, std::size_t male, Genotype& father,
               Genotype& mother) {
  for (std::size_t k = part.members.size(); k-- > 0;) {
    const JointMember& member = part.members[k];
    const std::size_t values = member.states.size();
    const int state = member.states[e % values];
    e /= values;
    Genotype& parent = member.animal == male ? father : mother;
    parent.alleleCount[static_cast<std::size_t>(member.gene)] = countOfState(member.gene, state);
  }
}

}  // namespace

std::uint64_t parentGenotypeCount(const std::vector<JointPart>& parts) {
  std::uint64_t count = 1;
  for (const JointPart& part : parts) {
    count *= leadingEntries(part).size();
    if (count > (std::uint64_t{1} << 32)) {
      return count;
    }
  }
  return count;
}

std::vector<ParentGenotypes> parentGenotypes(const std::vector<JointPart>& parts, std::size_t male,
                                             std::size_t female) {
  (void)female;
  std::vector<std::vector<std::size_t>> leading;
  std::vector<Integer> totals;
  for (const JointPart& part : parts) {
    leading.push_back(leadingEntries(part));
    Integer total = 0;
    for (const std::size_t e : leading.back()) {
      total += part.table.table[e].coefficient;
    }
    totals.push_back(total);
    assert(!leading.back().empty());
  }
  std::vector<ParentGenotypes> pairs;
  std::vector<std::size_t> digit(parts.size(), 0);
  for (;;) {
    ParentGenotypes pair;
    setSex(pair.male, Sex::Male);
    setSex(pair.female, Sex::Female);
    pair.chance = ratio(1, 1);
    for (std::size_t p = 0; p < parts.size(); ++p) {
      const std::size_t e = leading[p][digit[p]];
      setStates(parts[p], e, male, pair.male, pair.female);
      pair.chance = productOf(pair.chance, {parts[p].table.table[e].coefficient, totals[p]});
    }
    pair.chance = lowestTerms(pair.chance);
    pairs.push_back(std::move(pair));
    std::size_t p = parts.size();
    for (; p-- > 0;) {
      if (++digit[p] < leading[p].size()) {
        break;
      }
      digit[p] = 0;
    }
    if (p == static_cast<std::size_t>(-1)) {
      return pairs;
    }
  }
}

bool isFound(const MixedGroup& group, const LinePattern& find) {
  return fitsLine(group.key, find, kTargetFit);
}

MixedLitter mixedLitter(const std::vector<ParentGenotypes>& pairs, const MixedOptions& options,
                        Language language) {
  struct Sums {
    DescriptionKey key;
    CoatClass coat{};
    std::optional<Sex> sex;
    Ratio chance = ratio(0, 1);
    Ratio at_least_one = ratio(0, 1);
    Ratio expected = ratio(0, 1);
    std::map<std::pair<GeneIndex, bool>, Ratio> carriers;  // of the whole litter
    std::map<std::string, Ratio> members;
  };
  std::map<std::u32string, Sums> groups;
  // By warning and how many times before it the pairing has it (mixing
  // different Greys may be said up to three times).
  std::map<std::pair<MessageId, int>, Ratio> warnings;
  MixedLitter litter;
  litter.lethal = ratio(0, 1);
  Ratio found_at_least_one = ratio(0, 1);
  bool some_found = false;
  const Ratio one_in_all = ratio(1, kChanceOne);
  for (const ParentGenotypes& pair : pairs) {
    const GroupedLitter grouped = groupLitter(pair.male, pair.female, language);
    const LitterFigures figures = analyseLitter(grouped, options.carriers, /*by_share=*/false);
    const Ratio per_chance = productOf(pair.chance, one_in_all);  // a 2^-28th, times P(G)
    add(litter.lethal, productOf(per_chance, ratio(figures.lethal, 1)));
    const std::uint64_t born = bornChance(figures);
    if (options.find && options.pups > 0) {
      const std::vector<std::size_t> found = foundGroups(grouped, figures, *options.find);
      const GroupFigures together = togetherFigures(grouped, found, figures, options.pups);
      if (together.at_least_one) {
        add(found_at_least_one, productOf(pair.chance, *together.at_least_one));
        some_found = true;
      }
    }
    for (std::size_t i = 0; i < grouped.groups.size(); ++i) {
      const PhenotypeGroup& group = grouped.groups[i];
      Sums& sums = groups[group.description];
      if (!sums.sex) {
        sums.key = group.key;
        sums.sex = group.sex;
      } else if (*sums.sex != group.sex) {
        sums.sex = Sex::Unspecified;
      }
      sums.coat = group.coat;
      add(sums.chance, productOf(per_chance, ratio(group.chance, 1)));
      if (options.pups > 0 && group.coat.kind != CoatKind::Lethal) {
        add(sums.at_least_one,
            productOf(pair.chance, atLeastOne(group.chance, born, options.pups)));
        add(sums.expected,
            productOf(pair.chance, expectedNumber(group.chance, born, options.pups)));
      }
      if (options.carriers) {
        for (const CarrierShare& share : figures.carriers[i]) {
          auto [at, inserted] = sums.carriers.try_emplace({share.gene, share.hidden}, ratio(0, 1));
          add(at->second, productOf(per_chance, ratio(share.chance, 1)));
        }
      }
      if (options.members) {
        MemberWalk walk(grouped.expansion);
        walk.walk(group.combinations, 0, memberCount(grouped.expansion, group.combinations),
                  [&](const Member& member) {
                    auto [at, inserted] =
                        sums.members.try_emplace(std::string(member.genotype), ratio(0, 1));
                    add(at->second,
                        productOf(pair.chance, ratio(1, std::uint64_t{1} << member.halvings)));
                  });
      }
    }
    std::vector<MessageId> found;
    matingWarnings(pair.male, pair.female, found);
    for (std::size_t i = 0; i < found.size(); ++i) {
      const int before = static_cast<int>(
          std::count(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(i), found[i]));
      auto [at, inserted] = warnings.try_emplace({found[i], before}, ratio(0, 1));
      add(at->second, pair.chance);
    }
  }
  for (auto& [description, sums] : groups) {
    MixedGroup group;
    group.description = description;
    group.key = sums.key;
    group.coat = sums.coat;
    group.sex = sums.sex.value_or(Sex::Unspecified);
    group.chance = sums.chance;
    if (options.pups > 0 && sums.coat.kind != CoatKind::Lethal) {
      group.at_least_one = sums.at_least_one;
      group.expected = sums.expected;
    }
    for (const auto& [key, chance] : sums.carriers) {
      group.carriers.push_back({key.first, key.second,
                                lowestTerms({chance.numerator * group.chance.denominator,
                                             chance.denominator * group.chance.numerator})});
    }
    // The hidden genes first, then the carried ones, each in gene order,
    // as a litter's carrier shares come.
    std::stable_sort(group.carriers.begin(), group.carriers.end(),
                     [](const MixedGroup::Carrier& a, const MixedGroup::Carrier& b) {
                       return a.hidden != b.hidden ? a.hidden : a.gene < b.gene;
                     });
    for (auto& [genotype, chance] : sums.members) {
      group.members.push_back({genotype, std::move(chance)});
    }
    litter.groups.push_back(std::move(group));
  }
  if (some_found) {
    litter.found_at_least_one = found_at_least_one;
  }
  // Warnings in check order: the order matingWarnings gives them in, which
  // is the order of their messages.
  for (const auto& [warning, chance] : warnings) {
    litter.warnings.push_back({warning.first, chance});
  }
  return litter;
}

}  // namespace quorvale
