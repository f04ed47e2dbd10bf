#include "phenotype/colour.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvale {

namespace {

// By ColourWord: the English word, then the Russian one. The blanks that
// separate the words belong to the words: English puts the umbrous and
// coat-length words in front ("LH ", "Umbrous "), Russian appends every word.
constexpr std::u32string_view kWordTexts[ColourWordCount][2] = {
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

std::u32string_view wordText(ColourWord m, Language language) {
  return kWordTexts[static_cast<int>(m)][static_cast<int>(language)];
}

// The umbrous word. Under Cream the sables already say it, and an umbrous
// black shows no difference unless Cinnamon or Yellow lightens it.
ColourWord umbrousWord(const Genotype& g) {
  using namespace gene;
  const auto& shown = g.expressed;
  return shown[u] && !shown[e] && (!shown[a] || shown[p] || shown[to]) ? ColourWord::Umbrous
                                                                       : ColourWord::None;
}

// The coat pattern word; only one is ever given. A single Yellow allele (a
// tortoiseshell female, whose Yellow is not expressed) makes the pattern
// tortoiseshell, or tri-colour together with any white pattern.
ColourWord patternWord(const Genotype& g) {
  using namespace gene;
  const auto& shown = g.expressed;
  if (g.alleleCount[to] == 1) {
    return shown[rd] || shown[ds] || shown[ba] ? ColourWord::TriColour : ColourWord::Tortoiseshell;
  }
  if (shown[rd]) {
    return ColourWord::RecessiveDappled;
  }
  if (shown[ba] && shown[ds]) {
    return ColourWord::DominantSpotBanded;
  }
  if (shown[ba]) {
    return ColourWord::Banded;
  }
  if (shown[ds]) {
    return ColourWord::DominantSpot;
  }
  return ColourWord::None;
}

ColourWord satinWord(const Genotype& g) {
  if (!g.expressed[gene::sa]) {
    return ColourWord::None;
  }
  return g.alleleCount[gene::sa] == 2 ? ColourWord::DoubleSatin : ColourWord::Satin;
}

ColourWord coatLengthWord(const Genotype& g) {
  return g.expressed[gene::l] ? ColourWord::LongHair : ColourWord::ShortHair;
}

}  // namespace

ColourName decideColourName(Genotype& g) {
  ColourName name{classifyCoat(g)};
  switch (name.coat.kind) {
    case CoatKind::Lethal:
      return name;
    case CoatKind::Unnamed:
      g.expressed[UnnamedMarker] = true;
      return name;
    case CoatKind::Coloured:
      name.umbrous = umbrousWord(g);
      name.pattern = patternWord(g);
      break;
    case CoatKind::White:  // a white hides the colour and pattern genes
      break;
  }
  name.satin = satinWord(g);
  name.length = coatLengthWord(g);
  return name;
}

void appendColourName(const ColourName& name, Language language, std::u32string& out) {
  const std::u32string_view base = baseColourText(name.coat.base, language);
  std::array<std::u32string_view, 5> words;
  if (language == Language::English) {
    words = {wordText(name.length, language), wordText(name.umbrous, language), base,
             wordText(name.pattern, language), wordText(name.satin, language)};
  } else {
    words = {base, wordText(name.umbrous, language), wordText(name.pattern, language),
             wordText(name.satin, language), wordText(name.length, language)};
  }
  std::size_t size = out.size();
  for (std::u32string_view word : words) {
    size += word.size();
  }
  out.reserve(size);
  for (std::u32string_view word : words) {
    out.append(word);
  }
}

std::u32string coatColourName(Genotype& g, Language language) {
  std::u32string text;
  appendColourName(decideColourName(g), language, text);
  return text;
}

std::u32string coatColourName(Genotype& g) { return coatColourName(g, currentLanguage()); }

}  // namespace quorvale
