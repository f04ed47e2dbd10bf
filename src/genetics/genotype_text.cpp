#include "genetics/genotype_text.h"

#include <array>
#include <cassert>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace quorvale {

namespace {

// Yellow by count (rows 0, 1, 2) and Sex code (columns 0, 1, 2). A male has a
// single X chromosome, so his Yellow is "ToY"; a male without it, and any
// animal whose sex is not known, shows nothing, so "toY" and "toto" are never
// written.
constexpr std::string_view kYellowForms[3][3] = {
    {"", "", ""},
    {"Toto", "Toto", "Toto"},
    {"", "ToY", "ToTo"},
};

int clampCount(std::int32_t count) { return count <= 0 ? 0 : count >= 2 ? 2 : 1; }

// The written pair of one autosomal gene at one count, padded to four bytes so
// that it can be copied whole.
struct PairText {
  std::array<char, 4> bytes;
  std::size_t size;
};

// Appends one allele of gene g to text: its symbol, the first letter in upper
// case when `capital`.
void appendAllele(GeneIndex g, bool capital, PairText& text) {
  const std::string_view symbol = geneSymbol(g);
  text.bytes[text.size++] = capital ? static_cast<char>(symbol[0] - ('a' - 'A')) : symbol[0];
  for (std::size_t i = 1; i < symbol.size(); ++i) {
    text.bytes[text.size++] = symbol[i];
  }
}

// The pairs of genes 0 to 12 at counts 0, 1 and 2, worked out once from the
// gene table and the allele-case table. A homozygous wild gene is not
// written, and a heterozygous pair puts the capital first.
using PairTexts = std::array<std::array<PairText, 3>, gene::to>;

const PairTexts& pairTexts() {
  static const PairTexts texts = [] {
    PairTexts t{};
    for (GeneIndex g = 0; g < gene::to; ++g) {
      for (int count = 1; count < 3; ++count) {
        const int capitals = mutantCountOfCapitals(g, count);
        appendAllele(g, capitals >= 1, t[g][count]);
        appendAllele(g, capitals == 2, t[g][count]);
      }
    }
    return t;
  }();
  return texts;
}

// Yellow's part of the text for a Sex code.
// REQUIRES: 0 <= sex <= 2.
std::string_view yellowText(std::int32_t count, std::int32_t sex) {
  return kYellowForms[clampCount(count)][sex];
}

// The longest text is 46 characters (every pair written in full and "ToTo");
// the slack lets every pair be copied as four bytes.
constexpr std::size_t kBufferSize = 64;

}  // namespace

void appendGenotypeText(const Genotype& g, std::string& out) {
  // Built in a local buffer and appended once: the litter report calls this
  // for millions of offspring, so there is no allocation beyond out's own.
  std::array<char, kBufferSize> buffer;
  char* const start = buffer.data();
  char* cursor = start;
  const PairTexts& pairs = pairTexts();
  for (GeneIndex i = 0; i < gene::to; ++i) {
    const PairText& pair = pairs[i][clampCount(g.alleleCount[i])];
    std::memcpy(cursor, pair.bytes.data(), pair.bytes.size());
    cursor += pair.size;
  }
  const std::int32_t sex = g.alleleCount[SexSlot];
  if (sex >= 0 && sex <= 2) {
    for (const char c : yellowText(g.alleleCount[gene::to], sex)) {
      *cursor++ = c;
    }
  }
  if (cursor == start) {
    out += "--";  // the all-wild animal
  } else {
    out.append(start, static_cast<std::size_t>(cursor - start));
  }
}

void appendGeneText(GeneIndex g, std::int32_t count, Sex sex, std::string& out) {
  if (g == gene::to) {
    out += yellowText(count, static_cast<std::int32_t>(sex));
    return;
  }
  const PairText& pair = pairTexts()[g][clampCount(count)];
  out.append(pair.bytes.data(), pair.size);
}

std::u32string genotypeText(const Genotype& g) {
  std::string ascii;
  appendGenotypeText(g, ascii);
  return std::u32string(ascii.begin(), ascii.end());  // ASCII: one byte, one code point
}

std::string allelePair(GeneIndex g, int count, Sex sex) {
  if (g == gene::to) {
    assert(sex == Sex::Male || sex == Sex::Female);
    if (sex == Sex::Male) {
      assert(count == 0 || count == 2);
      return count == 2 ? "ToY" : "toY";
    }
    constexpr std::string_view kFemale[3] = {"toto", "Toto", "ToTo"};
    return std::string(kFemale[clampCount(count)]);
  }
  const int capitals = mutantCountOfCapitals(g, count);
  PairText text{};
  appendAllele(g, capitals >= 1, text);
  appendAllele(g, capitals == 2, text);
  return {text.bytes.data(), text.size};
}

std::string mutantAllele(GeneIndex g) {
  PairText text{};
  appendAllele(g, mutantCountOfCapitals(g, 2) == 2, text);
  return {text.bytes.data(), text.size};
}

}  // namespace quorvale
