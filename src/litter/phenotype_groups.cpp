#include "litter/phenotype_groups.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <unordered_map>
#include <utility>
#include <vector>

#include "litter/key_table.h"

namespace quorvale {

GroupedLitter groupLitter(const Genotype& male, const Genotype& female, Language language) {
  GroupedLitter litter;
  litter.expansion = expandLitter(male, female, describedChildKey);
  const std::uint32_t combinations = litter.expansion.combinations;

  // Decide the description of each combination's representative and note
  // its group. Only a few thousand descriptions are decided among the
  // combinations, so each is written once, when first met; keys that happen
  // to write the same text share a group.
  KeyTable group_of_key;
  std::unordered_map<std::u32string, std::size_t> group_of_text;
  std::vector<std::uint32_t> codes(combinations);
  std::vector<std::uint32_t> group_of(combinations);
  std::vector<std::uint32_t> members;  // combinations per group
  std::uint32_t counted = 0;
  forEachCombination(
      litter.expansion, [&](std::uint32_t code, Genotype& representative, std::uint64_t chance) {
        const DescriptionKey key = decideDescription(representative, true, true);
        std::uint32_t& group_index = group_of_key[key.bits];
        if (group_index == KeyTable::kNone) {
          std::u32string text = describedText(key, language);
          auto [by_text, new_text] = group_of_text.try_emplace(text, litter.groups.size());
          if (new_text) {
            PhenotypeGroup& group = litter.groups.emplace_back();
            group.description = std::move(text);
            group.key = key;
            group.coat = coatOf(key);
            group.sex = sexOf(representative);
            members.push_back(0);
          }
          group_index = static_cast<std::uint32_t>(by_text->second);
        }
        PhenotypeGroup& group = litter.groups[group_index];
        group.chance += chance;
        if (group.sex != sexOf(representative)) {
          group.sex = Sex::Unspecified;
        }
        ++members[group_index];
        codes[counted] = code;
        group_of[counted] = group_index;
        ++counted;
      });
  // Each group's combinations, ascending.
  for (std::size_t i = 0; i < litter.groups.size(); ++i) {
    litter.groups[i].combinations.reserve(members[i]);
  }
  for (std::uint32_t c = 0; c < combinations; ++c) {
    litter.groups[group_of[c]].combinations.push_back(codes[c]);
  }

  // The groups in code-point order of their descriptions, and each
  // combination's group by its place in that order.
  std::vector<std::uint32_t> order(litter.groups.size());
  std::iota(order.begin(), order.end(), 0u);
  std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    return litter.groups[a].description < litter.groups[b].description;
  });
  std::vector<PhenotypeGroup> sorted;
  sorted.reserve(order.size());
  std::vector<std::uint32_t> place(order.size());
  for (std::uint32_t i = 0; i < order.size(); ++i) {
    place[order[i]] = i;
    sorted.push_back(std::move(litter.groups[order[i]]));
  }
  litter.groups = std::move(sorted);
  for (std::uint32_t& group : group_of) {
    group = place[group];
  }
  litter.group_of_combination = std::move(group_of);
  return litter;
}

}  // namespace quorvale
