#include "stock/possible_groups.h"

#include <algorithm>
#include <array>
#include <climits>
#include <functional>
#include <map>
#include <numeric>
#include <tuple>
#include <utility>

#include "litter/inheritance.h"
#include "stock/inheritance_weights.h"

namespace quorvale {

namespace {

// One way the young of a unit's genes may come out, as the description
// reads it, with the fewest extra alleles in the parents that give it and,
// when that is one, the states that would do it.
using Condition = std::vector<ParentCondition>;  // states all taken at once

// Adds the ways of `more` that `ways` does not have yet.
void addWays(std::vector<Condition>& ways, const std::vector<Condition>& more) {
  for (const Condition& way : more) {
    if (std::find(ways.begin(), ways.end(), way) == ways.end()) {
      ways.push_back(way);
    }
  }
}

struct UnitChild {
  std::vector<int> count;  // by gene of the unit: a child's count
  int sex = GeneChild::kKeepSex;
  int extra = INT_MAX;
  std::vector<Condition> ways;  // when extra is 1
};

// Genes whose parts of the joint are tied, with the parts.
struct Unit {
  std::vector<GeneIndex> genes;
  std::vector<std::size_t> parts;
  std::vector<UnitChild> children;
};

// The assignments of a part's members, decoded from an entry.
std::vector<int> valuesOf(const JointPart& part, std::size_t e) {
  std::vector<int> values(part.members.size());
  for (std::size_t k = part.members.size(); k-- > 0;) {
    const std::size_t size = part.members[k].states.size();
    values[k] = static_cast<int>(e % size);
    e /= size;
  }
  return values;
}

// Which values of each member some reading of least power has.
std::vector<std::vector<bool>> leadingValues(const JointPart& part) {
  std::vector<std::vector<bool>> leading;
  for (const JointMember& member : part.members) {
    leading.emplace_back(member.states.size(), false);
  }
  for (std::size_t e = 0; e < part.table.table.size(); ++e) {
    const Weight& w = part.table.table[e];
    if (!w.isZero() && w.power == 0) {
      const std::vector<int> values = valuesOf(part, e);
      for (std::size_t k = 0; k < values.size(); ++k) {
        leading[k][static_cast<std::size_t>(values[k])] = true;
      }
    }
  }
  return leading;
}

// The children of one assignment of a unit's parents: every way the
// unit's genes come out in a young, by what the description reads.
void addChildren(Unit& unit, const std::vector<int>& male_count,
                 const std::vector<int>& female_count, int extra, const Condition& condition,
                 std::map<std::vector<int>, std::size_t>& index) {
  const std::vector<Condition> ways = extra == 1 && !condition.empty()
                                          ? std::vector<Condition>{condition}
                                          : std::vector<Condition>{};
  const std::size_t genes = unit.genes.size();
  std::vector<GeneChildren> options(genes);
  for (std::size_t i = 0; i < genes; ++i) {
    options[i] = geneChildren(unit.genes[i], male_count[i], female_count[i]);
  }
  std::vector<int> digit(genes, 0);
  for (;;) {
    UnitChild child;
    std::vector<int> key;
    for (std::size_t i = 0; i < genes; ++i) {
      const GeneChild& c = options[i].child[static_cast<std::size_t>(digit[i])];
      child.count.push_back(c.count);
      if (c.sex != GeneChild::kKeepSex) {
        child.sex = c.sex;
      }
      key.push_back(describedGeneValue(unit.genes[i], c.count) * 3 +
                    (c.sex == GeneChild::kKeepSex ? 0 : c.sex));
    }
    const auto [at, inserted] = index.try_emplace(key, unit.children.size());
    if (inserted) {
      child.extra = extra;
      child.ways = ways;
      unit.children.push_back(std::move(child));
    } else {
      UnitChild& known = unit.children[at->second];
      if (extra < known.extra) {
        known.extra = extra;
        known.ways = ways;
      } else if (extra == known.extra) {
        addWays(known.ways, ways);
      }
    }
    std::size_t i = genes;
    for (; i-- > 0;) {
      if (++digit[i] < options[i].size) {
        break;
      }
      digit[i] = 0;
    }
    if (i == static_cast<std::size_t>(-1)) {
      return;
    }
  }
}

// The parts of a joint in units: parts that hold the same gene (of either
// parent) make one unit, and units are independent of each other.
std::vector<std::vector<std::size_t>> partsByUnit(const std::vector<JointPart>& parts) {
  std::vector<std::size_t> root(parts.size());
  std::iota(root.begin(), root.end(), std::size_t{0});
  const auto find = [&](std::size_t p) {
    while (root[p] != p) {
      p = root[p] = root[root[p]];
    }
    return p;
  };
  std::array<int, GeneCount> first_part{};
  first_part.fill(-1);
  for (std::size_t p = 0; p < parts.size(); ++p) {
    for (const JointMember& member : parts[p].members) {
      int& first = first_part[static_cast<std::size_t>(member.gene)];
      if (first < 0) {
        first = static_cast<int>(p);
      } else {
        root[find(p)] = find(static_cast<std::size_t>(first));
      }
    }
  }
  std::map<std::size_t, std::vector<std::size_t>> by_root;
  for (std::size_t p = 0; p < parts.size(); ++p) {
    by_root[find(p)].push_back(p);
  }
  std::vector<std::vector<std::size_t>> units;
  units.reserve(by_root.size());
  for (auto& [r, unit] : by_root) {
    units.push_back(std::move(unit));
  }
  return units;
}

// The units of the joint's parts, each with every way its genes come out
// in a young.
std::vector<Unit> unitsOf(const std::vector<JointPart>& parts, std::size_t male) {
  std::vector<Unit> units;
  for (std::vector<std::size_t>& unit_parts : partsByUnit(parts)) {
    Unit& unit = units.emplace_back();
    unit.parts = std::move(unit_parts);
  }
  for (Unit& unit : units) {
    for (const std::size_t p : unit.parts) {
      for (const JointMember& member : parts[p].members) {
        if (std::find(unit.genes.begin(), unit.genes.end(), member.gene) == unit.genes.end()) {
          unit.genes.push_back(member.gene);
        }
      }
    }
  }

  for (Unit& unit : units) {
    std::sort(unit.genes.begin(), unit.genes.end());
    std::vector<std::vector<std::vector<bool>>> leading;
    for (const std::size_t p : unit.parts) {
      leading.push_back(leadingValues(parts[p]));
    }
    // Every assignment of the unit's parts that some reading has.
    std::map<std::vector<int>, std::size_t> index;
    std::vector<std::size_t> entry(unit.parts.size(), 0);
    for (;;) {
      bool zero = false;
      int extra = 0;
      std::vector<int> male_count(unit.genes.size(), 0);
      std::vector<int> female_count(unit.genes.size(), 0);
      Condition condition;
      for (std::size_t k = 0; k < unit.parts.size() && !zero; ++k) {
        const JointPart& part = parts[unit.parts[k]];
        const Weight& w = part.table.table[entry[k]];
        zero = w.isZero();
        if (zero) {
          break;
        }
        extra += w.power;
        const std::vector<int> values = valuesOf(part, entry[k]);
        for (std::size_t m = 0; m < values.size(); ++m) {
          const JointMember& member = part.members[m];
          const int state = member.states[static_cast<std::size_t>(values[m])];
          const auto at = static_cast<std::size_t>(
              std::find(unit.genes.begin(), unit.genes.end(), member.gene) - unit.genes.begin());
          const bool is_male = member.animal == male;
          (is_male ? male_count : female_count)[at] = countOfState(member.gene, state);
          if (!leading[k][m][static_cast<std::size_t>(values[m])]) {
            condition.push_back({is_male, member.gene, state});
          }
        }
      }
      if (!zero) {
        std::sort(condition.begin(), condition.end(),
                  [](const ParentCondition& a, const ParentCondition& b) {
                    return std::tuple(!a.male, a.gene, a.state) <
                           std::tuple(!b.male, b.gene, b.state);
                  });
        addChildren(unit, male_count, female_count, extra, condition, index);
      }
      std::size_t k = unit.parts.size();
      for (; k-- > 0;) {
        if (++entry[k] < parts[unit.parts[k]].table.table.size()) {
          break;
        }
        entry[k] = 0;
      }
      if (k == static_cast<std::size_t>(-1)) {
        break;
      }
    }
  }
  return units;
}

// Every young the units' children make together: its genotype, the extra
// alleles it needs, and the unit's child that needs one, if any.
void forEachYoung(const std::vector<Unit>& units,
                  const std::function<void(Genotype&, int, const UnitChild*)>& visit) {
  std::vector<std::size_t> digit(units.size(), 0);
  for (;;) {
    Genotype young;
    int extra = 0;
    int sex = GeneChild::kKeepSex;
    const UnitChild* costly = nullptr;  // the unit's child that needs an allele
    for (std::size_t u = 0; u < units.size(); ++u) {
      const UnitChild& child = units[u].children[digit[u]];
      for (std::size_t i = 0; i < units[u].genes.size(); ++i) {
        young.alleleCount[static_cast<std::size_t>(units[u].genes[i])] = child.count[i];
      }
      sex = child.sex != GeneChild::kKeepSex ? child.sex : sex;
      extra += child.extra;
      costly = child.extra == 1 ? &child : costly;
    }
    setSex(young, sex == GeneChild::kKeepSex ? Sex::Unspecified : static_cast<Sex>(sex));
    visit(young, extra, costly);
    std::size_t u = units.size();
    for (; u-- > 0;) {
      if (++digit[u] < units[u].children.size()) {
        break;
      }
      digit[u] = 0;
    }
    if (u == static_cast<std::size_t>(-1)) {
      break;
    }
  }
}

}  // namespace

std::vector<PossibleGroup> possibleGroups(const std::vector<JointPart>& parts, std::size_t male,
                                          Language language) {
  const std::vector<Unit> units = unitsOf(parts, male);
  // Every young of every unit's children together, by its description.
  struct Found {
    int extra = INT_MAX;
    std::vector<Condition> ways;
  };
  std::map<std::uint64_t, Found> found;
  forEachYoung(units, [&](Genotype& young, int extra, const UnitChild* costly) {
    const DescriptionKey key = decideDescription(young, true, true);
    Found& at = found[key.bits];
    if (extra < at.extra) {
      at.extra = extra;
      at.ways.clear();
    }
    if (extra == 1 && at.extra == 1 && costly != nullptr) {
      addWays(at.ways, costly->ways);
    }
  });

  // Keys that write the same text are one group, as in a litter.
  std::map<std::u32string, PossibleGroup> by_text;
  for (const auto& [bits, at] : found) {
    const DescriptionKey key{bits};
    std::u32string text = describedText(key, language);
    auto [group, inserted] = by_text.try_emplace(text);
    if (inserted || at.extra < group->second.extra) {
      group->second = PossibleGroup{key, std::move(text), at.extra, at.ways};
    } else if (at.extra == group->second.extra) {
      addWays(group->second.conditions, at.ways);
    }
  }
  std::vector<PossibleGroup> groups;
  for (auto& [text, group] : by_text) {
    if (group.extra == 0) {
      continue;
    }
    // Fewest states first, then the male's first, in gene order.
    std::sort(group.conditions.begin(), group.conditions.end(),
              [](const Condition& a, const Condition& b) {
                const auto key = [](const Condition& c) {
                  std::vector<std::tuple<bool, GeneIndex, int>> keys;
                  for (const ParentCondition& p : c) {
                    keys.emplace_back(!p.male, p.gene, p.state);
                  }
                  return std::pair(c.size(), keys);
                };
                return key(a) < key(b);
              });
    groups.push_back(std::move(group));
  }
  std::sort(groups.begin(), groups.end(), [](const PossibleGroup& a, const PossibleGroup& b) {
    return a.extra != b.extra ? a.extra < b.extra : a.description < b.description;
  });
  return groups;
}

bool canHaveLine(const std::vector<JointPart>& parts, std::size_t male,
                 std::span<const GeneBox> boxes, Sex sex) {
  const std::vector<std::vector<std::size_t>> units = partsByUnit(parts);
  // Whether some reading of a unit's parts lets the young have a state of
  // the box at each of its genes: young inherit each gene on its own.
  const auto unit_fits = [&](const std::vector<std::size_t>& unit, const GeneBox& box) {
    std::vector<std::size_t> entry(unit.size(), 0);
    for (;;) {
      bool zero = false;
      std::array<int, GeneCount> father{};
      std::array<int, GeneCount> mother{};
      std::uint16_t genes = 0;
      for (std::size_t k = 0; k < unit.size() && !zero; ++k) {
        const JointPart& part = parts[unit[k]];
        zero = part.table.table[entry[k]].isZero();
        const std::vector<int> values = valuesOf(part, entry[k]);
        for (std::size_t m = 0; m < values.size() && !zero; ++m) {
          const JointMember& member = part.members[m];
          const auto g = static_cast<std::size_t>(member.gene);
          (member.animal == male ? father : mother)[g] =
              member.states[static_cast<std::size_t>(values[m])];
          genes = static_cast<std::uint16_t>(genes | 1u << g);
        }
      }
      bool fits = !zero;
      for (GeneIndex g = 0; g < GeneCount && fits; ++g) {
        if ((genes >> g & 1u) == 0) {
          continue;
        }
        bool some = false;
        for (int y = 0; y < stateCount(g) && !some; ++y) {
          some = (box[static_cast<std::size_t>(g)] >> y & 1u) != 0 &&
                 inheritanceWeight(g, father[static_cast<std::size_t>(g)],
                                   mother[static_cast<std::size_t>(g)], y) != 0;
        }
        fits = some;
      }
      if (fits) {
        return true;
      }
      std::size_t k = unit.size();
      for (; k-- > 0;) {
        if (++entry[k] < parts[unit[k]].table.table.size()) {
          break;
        }
        entry[k] = 0;
      }
      if (k == static_cast<std::size_t>(-1)) {
        return false;
      }
    }
  };
  for (GeneBox box : boxes) {
    if (sex != Sex::Unspecified) {
      box[gene::to] &= statesOfSex(gene::to, sex);
    }
    if (std::all_of(units.begin(), units.end(),
                    [&](const std::vector<std::size_t>& unit) { return unit_fits(unit, box); })) {
      return true;
    }
  }
  return false;
}

}  // namespace quorvale
