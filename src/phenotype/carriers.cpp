#include "phenotype/carriers.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "phenotype/colour_rules.h"
#include "text/messages.h"

namespace quorvale {

namespace {

// The separator between listed names and between the two halves of the line.
constexpr std::u32string_view kComma = U", ";

// The genes of a set in GeneIndex order, held without allocating.
struct GeneList {
  std::array<GeneIndex, GeneCount> genes{};
  std::size_t count = 0;

  explicit GeneList(std::uint16_t set) {
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      if ((set >> g & 1u) != 0) {
        genes[count++] = g;
      }
    }
  }
  bool empty() const { return count == 0; }
};

// Whether the expressed gene `g` is masked by another gene, so that the
// colour name (of class `coat`) does not show it.
bool isHidden(const Genotype& animal, const CoatClass& coat, GeneIndex g) {
  using namespace gene;
  const auto& shown = animal.expressed;
  if (coat.kind == CoatKind::White) {
    // A DE white hides everything but Cinnamon, which makes it an FE White;
    // the silver-grey white hides everything but its own two genes,
    // Cinnamon included.
    return shown[cd] ? g != p : g != e && g != sg;
  }
  // Under Cream, Black and Yellow change nothing.
  if (shown[e] && (g == a || g == to)) {
    return true;
  }
  // An umbrous black looks like a black unless Yellow or Cinnamon lighten it.
  // Under Cream, Umbrous is what makes the sables, so it shows there.
  if (shown[a] && !shown[e] && !shown[to] && !shown[p] && g == u) {
    return true;
  }
  // Recessive Dappled covers the white patterns, except on a tortoiseshell,
  // which is called tri-colour instead.
  if (shown[rd] && animal.alleleCount[to] != 1 && (g == ba || g == ds)) {
    return true;
  }
  return false;
}

// The length of `names` joined as "A, B and C".
std::size_t joinedSize(const GeneList& list, Language language) {
  std::size_t size = 0;
  for (std::size_t i = 0; i < list.count; ++i) {
    size += geneName(list.genes[i], language).size();
  }
  if (list.count >= 2) {
    size +=
        (list.count - 2) * kComma.size() + messageText(MessageId::AndSeparator, language).size();
  }
  return size;
}

void appendJoined(const GeneList& list, Language language, std::u32string& out) {
  for (std::size_t i = 0; i < list.count; ++i) {
    if (i > 0) {
      out.append(i + 1 == list.count ? messageText(MessageId::AndSeparator, language) : kComma);
    }
    out.append(geneName(list.genes[i], language));
  }
}

}  // namespace

CarriedGenes decideCarriedGenes(const Genotype& g, CoatClass coat) {
  using namespace gene;
  CarriedGenes genes;
  if (coat.kind == CoatKind::Unnamed || coat.kind == CoatKind::Lethal) {
    return genes;
  }
  for (GeneIndex i = 0; i < GeneCount; ++i) {
    // DE White, Long Hair and Satin always show in the name when present.
    if (i != cd && i != l && i != sa && g.expressed[i] && isHidden(g, coat, i)) {
      genes.hidden = static_cast<std::uint16_t>(genes.hidden | 1u << i);
    }
    if (namesCarried(i, g.alleleCount[i], coat)) {
      genes.carried = static_cast<std::uint16_t>(genes.carried | 1u << i);
    }
  }
  return genes;
}

std::u32string carriedGenesText(CarriedGenes genes, Language language) {
  const GeneList hidden(genes.hidden);
  const GeneList carried(genes.carried);
  if (hidden.empty() && carried.empty()) {
    return {};
  }

  const std::u32string_view hidden_head = messageText(MessageId::Hidden, language);
  const std::u32string_view carried_head = messageText(MessageId::CarriesGenesOf, language);
  std::size_t size = 0;
  if (!hidden.empty()) {
    size += hidden_head.size() + joinedSize(hidden, language);
  }
  if (!hidden.empty() && !carried.empty()) {
    size += kComma.size();
  }
  if (!carried.empty()) {
    size += carried_head.size() + joinedSize(carried, language);
  }

  std::u32string text;
  text.reserve(size);
  if (!hidden.empty()) {
    text.append(hidden_head);
    appendJoined(hidden, language, text);
  }
  if (!hidden.empty() && !carried.empty()) {
    text.append(kComma);
  }
  if (!carried.empty()) {
    text.append(carried_head);
    appendJoined(carried, language, text);
  }
  return text;
}

void appendGeneNames(std::uint16_t genes, Language language, std::u32string& out) {
  appendJoined(GeneList(genes), language, out);
}

}  // namespace quorvale
