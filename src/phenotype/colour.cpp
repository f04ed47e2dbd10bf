#include "phenotype/colour.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvale {

namespace {

// The words that extend a base colour.
enum class Modifier : std::uint8_t {
  None,
  Umbrous,
  TriColour,
  Tortoiseshell,
  RecessiveDappled,
  DominantSpotBanded,
  Banded,
  DominantSpot,
  Satin,
  DoubleSatin,
  LongHair,
  ShortHair,
};

inline constexpr int ModifierCount = 12;

// By Modifier: the English word, then the Russian one. The blanks that
// separate the words belong to the words: English puts the umbrous and
// coat-length words in front ("LH ", "Umbrous "), Russian appends every word.
constexpr std::u32string_view kModifierTexts[ModifierCount][2] = {
    {U"", U""},                                          // None
    {U"Umbrous ", U" копченый"},                         // Umbrous
    {U" Tri-Color", U" черепаховый с белым"},            // TriColour
    {U" Tortoiseshell", U" черепаховый"},                // Tortoiseshell
    {U" Recessive Dappled", U" пестрый"},                // RecessiveDappled
    {U" Dominant Spot Banded", U" пятнистый с поясом"},  // DominantSpotBanded
    {U" Banded", U" с поясом"},                          // Banded
    {U" Dominant Spot", U" пятнистый"},                  // DominantSpot
    {U" Satin", U" атласный"},                           // Satin
    {U" Double Satin", U" двойной атласный"},            // DoubleSatin
    {U"LH ", U" ДШ"},                                    // LongHair
    {U"SH ", U" КШ"},                                    // ShortHair
};

std::u32string_view modifierText(Modifier m, Language language) {
  return kModifierTexts[static_cast<int>(m)][static_cast<int>(language)];
}

// The umbrous word. Under Cream the sables already say it, and an umbrous
// black shows no difference unless Cinnamon or Yellow lightens it.
Modifier umbrousWord(const Genotype& g) {
  using namespace gene;
  const auto& shown = g.expressed;
  return shown[u] && !shown[e] && (!shown[a] || shown[p] || shown[to]) ? Modifier::Umbrous
                                                                       : Modifier::None;
}

// The coat pattern word; only one is ever given. A single Yellow allele (a
// tortoiseshell female, whose Yellow is not expressed) makes the pattern
// tortoiseshell, or tri-colour together with any white pattern.
Modifier patternWord(const Genotype& g) {
  using namespace gene;
  const auto& shown = g.expressed;
  if (g.alleleCount[to] == 1) {
    return shown[rd] || shown[ds] || shown[ba] ? Modifier::TriColour : Modifier::Tortoiseshell;
  }
  if (shown[rd]) {
    return Modifier::RecessiveDappled;
  }
  if (shown[ba] && shown[ds]) {
    return Modifier::DominantSpotBanded;
  }
  if (shown[ba]) {
    return Modifier::Banded;
  }
  if (shown[ds]) {
    return Modifier::DominantSpot;
  }
  return Modifier::None;
}

Modifier satinWord(const Genotype& g) {
  if (!g.expressed[gene::sa]) {
    return Modifier::None;
  }
  return g.alleleCount[gene::sa] == 2 ? Modifier::DoubleSatin : Modifier::Satin;
}

Modifier coatLengthWord(const Genotype& g) {
  return g.expressed[gene::l] ? Modifier::LongHair : Modifier::ShortHair;
}

}  // namespace

CoatClass appendCoatColourName(Genotype& g, Language language, std::u32string& out) {
  const CoatClass coat = classifyCoat(g);
  const std::u32string_view base_text = baseColourText(coat.base, language);
  if (coat.kind == CoatKind::Lethal) {
    out.append(base_text);
    return coat;
  }
  if (coat.kind == CoatKind::Unnamed) {
    g.expressed[UnnamedMarker] = true;
    out.append(base_text);
    return coat;
  }

  // A white hides the colour and pattern genes.
  const bool white = coat.kind == CoatKind::White;
  const Modifier umbrous = white ? Modifier::None : umbrousWord(g);
  const Modifier pattern = white ? Modifier::None : patternWord(g);
  const Modifier satin = satinWord(g);
  const Modifier length = coatLengthWord(g);

  std::array<std::u32string_view, 5> words;
  if (language == Language::English) {
    words = {modifierText(length, language), modifierText(umbrous, language), base_text,
             modifierText(pattern, language), modifierText(satin, language)};
  } else {
    words = {base_text, modifierText(umbrous, language), modifierText(pattern, language),
             modifierText(satin, language), modifierText(length, language)};
  }
  std::size_t size = out.size();
  for (std::u32string_view word : words) {
    size += word.size();
  }
  out.reserve(size);
  for (std::u32string_view word : words) {
    out.append(word);
  }
  return coat;
}

std::u32string coatColourName(Genotype& g, Language language) {
  std::u32string name;
  appendCoatColourName(g, language, name);
  return name;
}

std::u32string coatColourName(Genotype& g) { return coatColourName(g, currentLanguage()); }

}  // namespace quorvale
