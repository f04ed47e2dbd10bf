#include "litter/expansion.h"

#include <algorithm>
#include <cstddef>

#include "genetics/genotype_text.h"

namespace quorvale {

namespace {

// Gene g's part of the genotype text for a child; "" when wild.
std::string geneToken(GeneIndex g, const GeneChild& child) {
  const Sex sex = child.sex == GeneChild::kKeepSex ? Sex::Unspecified : static_cast<Sex>(child.sex);
  std::string text;
  appendGeneText(g, child.count, sex, text);
  return text;
}

// Sorts the children of gene g into classes, keeping the expansion order.
std::vector<GeneClass> classify(GeneIndex g, const GeneChildren& children, ClassKey class_key) {
  std::vector<GeneClass> classes;
  std::vector<int> keys;
  for (int c = 0; c < children.size; ++c) {
    const GeneChild& child = children.child[c];
    const int key = class_key(g, child);
    const auto found = std::find(keys.begin(), keys.end(), key);
    GeneClass* cls = nullptr;
    if (found == keys.end()) {
      keys.push_back(key);
      cls = &classes.emplace_back();
      cls->representative = child;
    } else {
      cls = &classes[static_cast<std::size_t>(found - keys.begin())];
    }
    cls->options.push_back({geneToken(g, child), child.count, child.halvings});
    cls->quarters += 4u >> child.halvings;
  }
  return classes;
}

}  // namespace

LitterExpansion expandLitter(const Genotype& male, const Genotype& female, ClassKey class_key) {
  LitterExpansion expansion;
  for (GeneIndex g = 0; g < GeneCount; ++g) {
    const GeneChildren children = geneChildren(g, male.alleleCount[g], female.alleleCount[g]);
    expansion.classes[g] = classify(g, children, class_key);
    expansion.combinations *= static_cast<std::uint32_t>(expansion.classes[g].size());
  }
  return expansion;
}

std::uint64_t chanceOf(const LitterExpansion& expansion, std::uint32_t combination) {
  std::uint64_t chance = 1;
  for (GeneIndex g = 0; g < GeneCount; ++g) {
    chance *= expansion.classes[g][static_cast<std::size_t>(classOf(combination, g))].quarters;
  }
  return chance;
}

Genotype representativeOf(const LitterExpansion& expansion, std::uint32_t combination) {
  Genotype g;
  for (GeneIndex i = 0; i < GeneCount; ++i) {
    const GeneChild& child =
        expansion.classes[i][static_cast<std::size_t>(classOf(combination, i))].representative;
    g.alleleCount[i] = child.count;
    if (child.sex != GeneChild::kKeepSex) {
      g.alleleCount[SexSlot] = child.sex;
    }
  }
  return g;
}

}  // namespace quorvale
