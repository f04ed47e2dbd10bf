#include "litter/phenotype_groups.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "genetics/genotype_text.h"
#include "litter/inheritance.h"
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

// The group of each description key met so far. It is asked once per
// combination, 165,888 times for the largest litter, and holds a few hundred
// keys, so it is an open-addressed table of twice that many slots or more,
// probed linearly from a multiplicative hash: no division and no node to
// chase, as the standard map would have.
class GroupOfKey {
 public:
  // The group of key, or where to note it: a slot whose group is kNone.
  std::uint32_t& operator[](DescriptionKey key) {
    if (2 * (used_ + 1) > slots_.size()) {
      grow();
    }
    Slot* slot = find(key.bits);
    if (slot->group == kNone) {
      slot->key = key.bits;
      ++used_;
    }
    return slot->group;
  }

  static constexpr std::uint32_t kNone = ~std::uint32_t{0};

 private:
  struct Slot {
    std::uint64_t key = 0;
    std::uint32_t group = kNone;
  };

  Slot* find(std::uint64_t key) {
    const std::size_t mask = slots_.size() - 1;
    // The top bits of the product depend on every bit of the key.
    std::size_t i = static_cast<std::size_t>((key * 0x9E3779B97F4A7C15u) >> shift_);
    while (slots_[i].group != kNone && slots_[i].key != key) {
      i = (i + 1) & mask;
    }
    return &slots_[i];
  }

  void grow() {
    std::vector<Slot> old(slots_.empty() ? std::size_t{64} : 2 * slots_.size());
    old.swap(slots_);
    shift_ = 64 - std::countr_zero(slots_.size());
    for (const Slot& slot : old) {
      if (slot.group != kNone) {
        *find(slot.key) = slot;
      }
    }
  }

  std::vector<Slot> slots_;
  std::size_t used_ = 0;
  int shift_ = 64;
};

// A gene has at most four children, so at most four classes: a combination
// holds each gene's class in two bits, gene 0 in the highest, so ascending
// combinations follow the expansion order of the cross, and decoding one
// takes no division.
constexpr int kClassBits = 2;
static_assert(kClassBits * GeneCount <= 32);

}  // namespace

std::array<int, GeneCount> classesOf(const GroupedLitter& /*litter*/, std::uint32_t combination) {
  std::array<int, GeneCount> chosen{};
  for (GeneIndex g = 0; g < GeneCount; ++g) {
    chosen[g] = static_cast<int>((combination >> kClassBits * (GeneCount - 1 - g)) & 3u);
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
  // decide the description of its representative and file it under that.
  // Only a few hundred descriptions are decided among the combinations, so
  // each is written once, when first met; keys that happen to write the
  // same text share a group.
  GroupOfKey group_of_key;
  std::unordered_map<std::u32string, std::size_t> group_of_text;
  const Language language = currentLanguage();
  std::array<int, GeneCount> chosen{};
  for (std::uint32_t counted = 0; counted < combinations; ++counted) {
    std::uint32_t combination = 0;
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      combination = combination << kClassBits | static_cast<std::uint32_t>(chosen[g]);
    }
    Genotype representative;
    std::uint64_t chance = 1;
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      const GeneChild& child = representatives[g][static_cast<std::size_t>(chosen[g])];
      representative.alleleCount[g] = child.count;
      if (child.sex != GeneChild::kKeepSex) {
        representative.alleleCount[SexSlot] = child.sex;
      }
      chance *= litter.classes[g][static_cast<std::size_t>(chosen[g])].quarters;
    }
    const DescriptionKey key = decideDescription(representative, true, true);
    std::uint32_t& group_index = group_of_key[key];
    if (group_index == GroupOfKey::kNone) {
      std::u32string text = describedText(key, language);
      auto [by_text, new_text] = group_of_text.try_emplace(text, litter.groups.size());
      if (new_text) {
        litter.groups.push_back({std::move(text), 0, {}});
      }
      group_index = static_cast<std::uint32_t>(by_text->second);
    }
    PhenotypeGroup& group = litter.groups[group_index];
    group.chance += chance;
    group.combinations.push_back(combination);

    for (GeneIndex g = GeneCount - 1; g >= 0; --g) {
      if (++chosen[g] < static_cast<int>(litter.classes[g].size())) {
        break;
      }
      chosen[g] = 0;
    }
  }

  std::sort(litter.groups.begin(), litter.groups.end(),
            [](const PhenotypeGroup& a, const PhenotypeGroup& b) {
              return a.description < b.description;
            });
  return litter;
}

}  // namespace quorvale
