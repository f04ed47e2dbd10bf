#include "phenotype/colour.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvale {

namespace {

// Rows by Language (English, Russian), columns by ColourWord. The blanks
// that separate the words belong to the words: English puts the umbrous and
// coat-length words in front ("LH ", "Umbrous "), Russian appends every word.
constexpr std::u32string_view kWordTexts[LanguageCount][ColourWordCount] = {
    {
        U"",                       // None
        U"Umbrous ",               // Umbrous
        U" Tri-Color",             // TriColour
        U" Tortoiseshell",         // Tortoiseshell
        U" Recessive Dappled",     // RecessiveDappled
        U" Dominant Spot Banded",  // DominantSpotBanded
        U" Banded",                // Banded
        U" Dominant Spot",         // DominantSpot
        U" Satin",                 // Satin
        U" Double Satin",          // DoubleSatin
        U"LH ",                    // LongHair
        U"SH ",                    // ShortHair
    },
    {
        U"",                      // None
        U" копченый",             // Umbrous
        U" черепаховый с белым",  // TriColour
        U" черепаховый",          // Tortoiseshell
        U" пестрый",              // RecessiveDappled
        U" пятнистый с поясом",   // DominantSpotBanded
        U" с поясом",             // Banded
        U" пятнистый",            // DominantSpot
        U" атласный",             // Satin
        U" двойной атласный",     // DoubleSatin
        U" ДШ",                   // LongHair
        U" КШ",                   // ShortHair
    },
};

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

std::u32string_view colourWordText(ColourWord word, Language language) {
  return kWordTexts[static_cast<int>(language)][static_cast<int>(word)];
}

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
    words = {colourWordText(name.length, language), colourWordText(name.umbrous, language), base,
             colourWordText(name.pattern, language), colourWordText(name.satin, language)};
  } else {
    words = {base, colourWordText(name.umbrous, language), colourWordText(name.pattern, language),
             colourWordText(name.satin, language), colourWordText(name.length, language)};
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

}  // namespace quorvale
