#include "litter/phenotype_groups.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <utility>

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

// The map from description to group is asked once per combination, 165,888
// times for the largest litter, with descriptions of hundreds of bytes. So it
// hashes four 8-byte lanes at a time, independently, and compares the code
// points as plain bytes: the standard hash goes 8 bytes at a time in one
// chain, and the standard comparison of char32_t strings one code point at a
// time. A long description is hashed by its length, its start (the colour and
// the sex) and its end (the last warning), not by every byte: the few hundred
// groups still fall into different buckets, and the comparison that settles a
// match reads the whole text anyway.
std::string_view bytesOf(const std::u32string& text) {
  return {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char32_t)};
}
struct DescriptionHash {
  std::size_t operator()(const std::u32string& text) const {
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15u;
    const auto mix = [](std::uint64_t lane, std::uint64_t word) {
      return std::rotl((lane ^ word) * kMultiplier, 29);
    };
    std::string_view bytes = bytesOf(text);
    std::array<std::uint64_t, 4> lanes = {bytes.size(), 1, 2, 3};
    const auto blocks = [&](std::string_view part) {
      for (; part.size() >= 32; part.remove_prefix(32)) {
        for (std::size_t i = 0; i < lanes.size(); ++i) {
          std::uint64_t word = 0;
          std::memcpy(&word, part.data() + 8 * i, 8);
          lanes[i] = mix(lanes[i], word);
        }
      }
      return part;
    };
    constexpr std::size_t kEachEnd = 256;  // bytes hashed at each end
    if (bytes.size() > 2 * kEachEnd) {
      blocks(bytes.substr(0, kEachEnd));
      bytes.remove_prefix(bytes.size() - kEachEnd);
    }
    bytes = blocks(bytes);
    for (std::size_t i = 0; i < bytes.size(); i += sizeof(char32_t)) {
      char32_t c = 0;
      std::memcpy(&c, bytes.data() + i, sizeof c);
      lanes[0] = mix(lanes[0], c);
    }
    std::uint64_t h = mix(mix(lanes[0], lanes[1]), mix(lanes[2], lanes[3]));
    return static_cast<std::size_t>(h ^ (h >> 32));
  }
};
struct SameDescription {
  bool operator()(const std::u32string& a, const std::u32string& b) const {
    return bytesOf(a) == bytesOf(b);
  }
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
  // describe its representative and file it under that description.
  std::unordered_map<std::u32string, std::size_t, DescriptionHash, SameDescription> group_of;
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
    std::u32string description = describePhenotype(representative, true, true);
    auto [it, inserted] = group_of.try_emplace(std::move(description), litter.groups.size());
    if (inserted) {
      litter.groups.push_back({it->first, 0, {}});
    }
    PhenotypeGroup& group = litter.groups[it->second];
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
