#include "genetics/genotype_text.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace quorvale {

namespace {

// How an autosomal gene is written for its count: whether anything is written,
// and whether the first letter of each of the two alleles is a capital. The
// canonical form drops a homozygous wild gene and puts the capital first in a
// heterozygous pair.
struct PairForm {
  bool written;
  bool first_capital;
  bool second_capital;
};

// Rows: recessive, dominant. Columns: count 0 (or less), 1, 2 (or more).
constexpr PairForm kPairForms[2][3] = {
    {{false, false, false}, {true, true, false}, {true, false, false}},  // -, Ee, ee
    {{false, false, false}, {true, true, false}, {true, true, true}},    // -, Uu, UU
};

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
// gene table and kPairForms.
using PairTexts = std::array<std::array<PairText, 3>, gene::to>;

const PairTexts& pairTexts() {
  static const PairTexts texts = [] {
    PairTexts t{};
    for (GeneIndex g = 0; g < gene::to; ++g) {
      for (int count = 0; count < 3; ++count) {
        const PairForm& form = kPairForms[isDominant(g) ? 1 : 0][count];
        if (!form.written) {
          continue;
        }
        appendAllele(g, form.first_capital, t[g][count]);
        appendAllele(g, form.second_capital, t[g][count]);
      }
    }
    return t;
  }();
  return texts;
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
    const std::string_view yellow = kYellowForms[clampCount(g.alleleCount[gene::to])][sex];
    for (const char c : yellow) {
      *cursor++ = c;
    }
  }
  if (cursor == start) {
    out += "--";  // the all-wild animal
  } else {
    out.append(start, static_cast<std::size_t>(cursor - start));
  }
}

std::u32string genotypeText(const Genotype& g) {
  std::string ascii;
  appendGenotypeText(g, ascii);
  return std::u32string(ascii.begin(), ascii.end());  // ASCII: one byte, one code point
}

}  // namespace quorvale
