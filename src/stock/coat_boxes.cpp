#include "stock/coat_boxes.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <map>
#include <utility>

namespace quorvale {

namespace {

// What the description reads of a gene, as sets of states: the states of
// one set give the same description. For most genes whether it shows; for
// the genes whose count it reads, each count; for Yellow, each state (the
// sex included). Only the states of animals that are born.
struct Atoms {
  std::array<StateSet, kYellowStates> sets{};
  int size = 0;
};

Atoms atomsOf(GeneIndex g) {
  Atoms atoms;
  for (int s = 0; s < stateCount(g); ++s) {
    if ((bornStates(g) >> s & 1u) == 0) {
      continue;
    }
    const int value = isSexLinked(g) ? s : describedGeneValue(g, countOfState(g, s));
    // States of one value are neighbours: 0 and 1, or 1 and 2.
    if (atoms.size > 0 && !isSexLinked(g) &&
        describedGeneValue(g, countOfState(g, s - 1)) == value) {
      atoms.sets[static_cast<std::size_t>(atoms.size - 1)] |= static_cast<StateSet>(1u << s);
    } else {
      atoms.sets[static_cast<std::size_t>(atoms.size++)] = static_cast<StateSet>(1u << s);
    }
  }
  return atoms;
}

// Every reading of the description, gene 0 turning slowest, with its line.
struct Readings {
  std::array<Atoms, GeneCount> atoms;
  std::vector<DescriptionKey> line;  // by reading
  std::vector<DescriptionKey> distinct;
};

const Readings& readings() {
  static const Readings all = [] {
    Readings made;
    std::size_t total = 1;
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      made.atoms[static_cast<std::size_t>(g)] = atomsOf(g);
      total *= static_cast<std::size_t>(made.atoms[static_cast<std::size_t>(g)].size);
    }
    made.line.reserve(total);
    std::array<int, GeneCount> digit{};
    for (std::size_t r = 0; r < total; ++r) {
      Genotype g;
      for (GeneIndex i = 0; i < GeneCount; ++i) {
        const StateSet set =
            made.atoms[static_cast<std::size_t>(i)]
                .sets[static_cast<std::size_t>(digit[static_cast<std::size_t>(i)])];
        const int state = std::countr_zero(static_cast<unsigned>(set));
        g.alleleCount[static_cast<std::size_t>(i)] = countOfState(i, state);
        if (isSexLinked(i)) {
          setSex(g, sexOfState(i, state));
        }
      }
      made.line.push_back(decideDescription(g, false, false));
      for (GeneIndex i = GeneCount - 1; i >= 0; --i) {
        if (++digit[static_cast<std::size_t>(i)] < made.atoms[static_cast<std::size_t>(i)].size) {
          break;
        }
        digit[static_cast<std::size_t>(i)] = 0;
      }
    }
    made.distinct = made.line;
    std::sort(made.distinct.begin(), made.distinct.end(),
              [](DescriptionKey a, DescriptionKey b) { return a.bits < b.bits; });
    made.distinct.erase(std::unique(made.distinct.begin(), made.distinct.end()),
                        made.distinct.end());
    return made;
  }();
  return all;
}

// The set of readings as a reduced decision diagram, one level per gene:
// node 0 is "none", node 1 "all"; a node of level g has one child per atom
// of gene g, and a node whose children are all the same is that child.
struct Diagram {
  struct Node {
    GeneIndex gene = GeneCount;
    std::array<int, kYellowStates> child{};
  };
  std::vector<Node> nodes{Node{}, Node{}};
  std::map<std::pair<GeneIndex, std::array<int, kYellowStates>>, int> unique;

  int make(GeneIndex g, const std::array<int, kYellowStates>& child, int size) {
    if (std::all_of(child.begin(), child.begin() + size, [&](int c) { return c == child[0]; })) {
      return child[0];
    }
    const auto [at, inserted] = unique.try_emplace({g, child}, static_cast<int>(nodes.size()));
    if (inserted) {
      nodes.push_back({g, child});
    }
    return at->second;
  }
};

// Appends the boxes of node's readings, box holding the genes above it.
void appendBoxes(const Diagram& diagram, const Readings& all, int node, GeneBox box,
                 std::vector<GeneBox>& boxes) {
  if (node == 0) {
    return;
  }
  const Diagram::Node& at = diagram.nodes[static_cast<std::size_t>(node)];
  // Genes the diagram skips take any of their atoms.
  const GeneIndex first_skipped = node == 1 ? GeneCount : at.gene;
  for (GeneIndex g = 0; g < first_skipped; ++g) {
    if (box[static_cast<std::size_t>(g)] == 0) {
      for (int a = 0; a < all.atoms[static_cast<std::size_t>(g)].size; ++a) {
        box[static_cast<std::size_t>(g)] |=
            all.atoms[static_cast<std::size_t>(g)].sets[static_cast<std::size_t>(a)];
      }
    }
  }
  if (node == 1) {
    boxes.push_back(box);
    return;
  }
  // The atoms that lead to the same child make one box.
  const Atoms& atoms = all.atoms[static_cast<std::size_t>(at.gene)];
  std::array<bool, kYellowStates> done{};
  for (int a = 0; a < atoms.size; ++a) {
    if (done[static_cast<std::size_t>(a)]) {
      continue;
    }
    const int child = at.child[static_cast<std::size_t>(a)];
    StateSet set = 0;
    for (int b = a; b < atoms.size; ++b) {
      if (at.child[static_cast<std::size_t>(b)] == child) {
        set |= atoms.sets[static_cast<std::size_t>(b)];
        done[static_cast<std::size_t>(b)] = true;
      }
    }
    GeneBox narrowed = box;
    narrowed[static_cast<std::size_t>(at.gene)] = set;
    // The genes between this one and the child's are free.
    appendBoxes(diagram, all, child, narrowed, boxes);
  }
}

}  // namespace

const std::vector<DescriptionKey>& everyColourLine() { return readings().distinct; }

std::vector<GeneBox> coatBoxes(std::span<const DescriptionKey> lines) {
  const Readings& all = readings();
  // Level by level from the last gene: the nodes of the readings that share
  // the genes before it.
  std::vector<int> level(all.line.size());
  for (std::size_t r = 0; r < all.line.size(); ++r) {
    level[r] =
        std::binary_search(lines.begin(), lines.end(), all.line[r],
                           [](DescriptionKey a, DescriptionKey b) { return a.bits < b.bits; })
            ? 1
            : 0;
  }
  Diagram diagram;
  for (GeneIndex g = GeneCount - 1; g >= 0; --g) {
    const int size = all.atoms[static_cast<std::size_t>(g)].size;
    std::vector<int> above(level.size() / static_cast<std::size_t>(size));
    for (std::size_t prefix = 0; prefix < above.size(); ++prefix) {
      std::array<int, kYellowStates> child{};
      for (int a = 0; a < size; ++a) {
        child[static_cast<std::size_t>(a)] =
            level[prefix * static_cast<std::size_t>(size) + static_cast<std::size_t>(a)];
      }
      above[prefix] = diagram.make(g, child, size);
    }
    level = std::move(above);
  }
  std::vector<GeneBox> boxes;
  appendBoxes(diagram, all, level.front(), GeneBox{}, boxes);
  return boxes;
}

}  // namespace quorvale
