#include "litter/phenotype_groups.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "genetics/genotype_text.h"
#include "litter/inheritance.h"
#include "litter/key_table.h"
#include "phenotype/description.h"

namespace quorvale {

namespace {

// What the description can see of one child of gene g, together with the
// sex it sets.
int descriptionKey(GeneIndex g, const GeneChild& child) {
  const int sex = child.sex == GeneChild::kKeepSex ? 0 : child.sex;
  return describedGeneValue(g, child.count) * 3 + sex;
}

// Gene g's part of the genotype text for a child; "" when wild.
std::string geneToken(GeneIndex g, const GeneChild& child) {
  const Sex sex = child.sex == GeneChild::kKeepSex ? Sex::Unspecified : static_cast<Sex>(child.sex);
  std::string text;
  appendGeneText(g, child.count, sex, text);
  return text;
}

// Sorts the children of gene g into classes, keeping the expansion order.
// Stores in representative the first child of each class.
std::vector<GeneClass> classify(GeneIndex g, const GeneChildren& children,
                                std::vector<GeneChild>& representatives) {
  std::vector<GeneClass> classes;
  std::vector<int> keys;
  for (int c = 0; c < children.size; ++c) {
    const GeneChild& child = children.child[c];
    const int key = descriptionKey(g, child);
    const auto found = std::find(keys.begin(), keys.end(), key);
    GeneClass* cls = nullptr;
    if (found == keys.end()) {
      keys.push_back(key);
      representatives.push_back(child);
      cls = &classes.emplace_back();
    } else {
      cls = &classes[static_cast<std::size_t>(found - keys.begin())];
    }
    cls->options.push_back({geneToken(g, child), child.halvings});
    cls->quarters += 4u >> child.halvings;
  }
  return classes;
}

}  // namespace

std::array<int, GeneCount> classesOf(const GroupedLitter& /*litter*/, std::uint32_t combination) {
  std::array<int, GeneCount> chosen{};
  for (GeneIndex g = 0; g < GeneCount; ++g) {
    chosen[g] = classOf(combination, g);
  }
  return chosen;
}

GroupedLitter groupLitter(const Genotype& male, const Genotype& female) {
  GroupedLitter litter;
  appendGenotypeText(Genotype{}, litter.wildText);

  std::array<std::vector<GeneChild>, GeneCount> representatives;
  std::uint32_t combinations = 1;
  for (GeneIndex g = 0; g < GeneCount; ++g) {
    const GeneChildren children = geneChildren(g, male.alleleCount[g], female.alleleCount[g]);
    litter.classes[g] = classify(g, children, representatives[g]);
    combinations *= static_cast<std::uint32_t>(litter.classes[g].size());
  }

  // Walk every combination with an odometer (gene 13 turning fastest),
  // decide the description of its representative and note its group. Only
  // a few thousand descriptions are decided among the combinations, so each
  // is written once, when first met; keys that happen to write the same
  // text share a group. The representative, its chance and its code change
  // only from the gene that turned, so they are made again only from there.
  KeyTable group_of_key;
  std::unordered_map<std::u32string, std::size_t> group_of_text;
  const Language language = currentLanguage();
  std::vector<std::uint32_t> codes(combinations);
  std::vector<std::uint32_t> group_of(combinations);
  std::vector<std::uint32_t> members;  // combinations per group
  std::array<int, GeneCount> chosen{};
  std::array<std::uint64_t, GeneCount + 1> chance_before{};
  std::array<int, GeneCount + 1> sex_before{};
  chance_before[0] = 1;
  sex_before[0] = static_cast<int>(Sex::Unspecified);
  Genotype representative;
  std::uint32_t code = 0;
  GeneIndex turned = 0;
  for (std::uint32_t counted = 0; counted < combinations; ++counted) {
    for (GeneIndex g = turned; g < GeneCount; ++g) {
      const auto c = static_cast<std::size_t>(chosen[g]);
      const GeneChild& child = representatives[g][c];
      representative.alleleCount[g] = child.count;
      sex_before[g + 1] = child.sex == GeneChild::kKeepSex ? sex_before[g] : child.sex;
      chance_before[g + 1] = chance_before[g] * litter.classes[g][c].quarters;
    }
    representative.alleleCount[SexSlot] = sex_before[GeneCount];
    const DescriptionKey key = decideDescription(representative, true, true);
    std::uint32_t& group_index = group_of_key[key.bits];
    if (group_index == KeyTable::kNone) {
      std::u32string text = describedText(key, language);
      auto [by_text, new_text] = group_of_text.try_emplace(text, litter.groups.size());
      if (new_text) {
        litter.groups.push_back({std::move(text), 0, {}});
        members.push_back(0);
      }
      group_index = static_cast<std::uint32_t>(by_text->second);
    }
    litter.groups[group_index].chance += chance_before[GeneCount];
    ++members[group_index];
    codes[counted] = code;
    group_of[counted] = group_index;

    for (turned = GeneCount - 1; turned > 0; --turned) {
      if (++chosen[turned] < static_cast<int>(litter.classes[turned].size())) {
        break;
      }
      chosen[turned] = 0;
    }
    if (turned == 0) {
      ++chosen[0];
    }
    // The code holds gene g in two bits, gene 0 in the highest: the gene
    // that turned counts one up and the genes after it start again at 0.
    const int shift = kClassBits * (GeneCount - 1 - turned);
    code = ((code >> shift) + 1) << shift;
  }
  // Each group's combinations, ascending.
  for (std::size_t i = 0; i < litter.groups.size(); ++i) {
    litter.groups[i].combinations.reserve(members[i]);
  }
  for (std::uint32_t counted = 0; counted < combinations; ++counted) {
    litter.groups[group_of[counted]].combinations.push_back(codes[counted]);
  }

  std::sort(litter.groups.begin(), litter.groups.end(),
            [](const PhenotypeGroup& a, const PhenotypeGroup& b) {
              return a.description < b.description;
            });
  return litter;
}

}  // namespace quorvale
