// Fuzz target: the genotype parser on any sequence of code points.
//
// For every input and with each starting Sex, the parser either throws one
// of its four errors (quoting at most the four offending characters of the
// input, never shown raw in its line in either language when they are
// control characters) or returns a record the rest of the program can rely
// on: counts 0 to 2, Sex 0 to 2, a male's Yellow count 0 or 2, no flag
// derived yet. A returned record's canonical text reads back as the same
// record. The outcome agrees exactly (record, or error) with a plain
// restatement of the notation's rules kept here, and with the characters fed
// one by one to the reader, even past a fault.
//
// The first byte picks how the rest becomes code points:
//   0: each byte picks a character from a small alphabet of the notation's
//      letters plus a few hostile ones, so that the fuzzer reaches deep
//      parses quickly;
//   1: UTF-8, with U+FFFD for every invalid byte, as the console decodes;
//   2: four bytes per code point, any 32-bit value at all (surrogates,
//      values above U+10FFFF), which the console never produces but the
//      parser must not trip over either.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "genetics/genotype.h"
#include "genetics/genotype_text.h"
#include "genetics/parser.h"
#include "testing/shortcuts.h"
#include "text/genotype_error.h"
#include "text/language.h"
#include "text/utf8.h"

namespace {

using quorvale::Genotype;
using quorvale::GenotypeError;
using quorvale::GenotypeFault;
using quorvale::Language;
using quorvale::Sex;

constexpr char32_t kAlphabet[] = {
    U'e',
    U'E',
    U'd',
    U'D',
    U'g',
    U'G',
    U'p',
    U'P',
    U'a',
    U'A',
    U'c',
    U'C',
    U'r',
    U'R',
    U'l',
    U'L',
    U'u',
    U'U',
    U'b',
    U'B',
    U's',
    U'S',
    U'o',
    U'O',
    U't',
    U'T',
    U'Y',
    U'y',
    U'-',
    U' ',
    U'\0',
    U'@',
    U'[',
    U'`',
    U'{',       // neighbours of the Latin letters
    U'\u0435',  // Cyrillic small ie, looks like e
    U'\u0130',  // I with dot, folds in some locales
    U'\uFFFD',
    U'\U0001F439',                    // replacement, outside the BMP
    static_cast<char32_t>(0xD800),    // a lone surrogate
    static_cast<char32_t>(0x110000),  // beyond Unicode
};

std::u32string decode(const std::uint8_t* data, std::size_t size) {
  std::u32string text;
  if (size == 0) {
    return text;
  }
  const std::uint8_t mode = data[0] % 3;
  ++data;
  --size;
  if (mode == 0) {
    for (std::size_t i = 0; i < size; ++i) {
      text += kAlphabet[data[i] % std::size(kAlphabet)];
    }
  } else if (mode == 1) {
    text = quorvale::fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  } else {
    for (std::size_t i = 0; i + 4 <= size; i += 4) {
      text += static_cast<char32_t>(data[i] | (data[i + 1] << 8) | (data[i + 2] << 16) |
                                    (static_cast<std::uint32_t>(data[i + 3]) << 24));
    }
  }
  return text;
}

// The sex faults quote nothing; the others quote the offending characters
// as the user typed them (one to four, a piece of the input), and only a
// piece of one or two characters at the end of the text is followed by the
// hint that a gene may have been left out.
void checkError(const GenotypeError& error, std::u32string_view input) {
  const std::u32string_view quoted = error.quoted;
  switch (error.fault) {
    case GenotypeFault::YInFemale:
    case GenotypeFault::OneToInMale:
      FUZZ_REQUIRE(quoted.empty() && !error.hint);
      return;
    case GenotypeFault::RepeatedGene:
      FUZZ_REQUIRE((quoted.size() == 2 || quoted.size() == 4) && !error.hint);
      break;
    case GenotypeFault::CannotParse:
      FUZZ_REQUIRE(!quoted.empty() && quoted.size() <= 4);
      if (error.hint) {
        FUZZ_REQUIRE(quoted.size() == 1 || quoted.size() == 2);
        // A piece cut short is always the end of the text.
        FUZZ_REQUIRE(input.ends_with(quoted));
      }
      break;
    default:
      FUZZ_REQUIRE(!"a fault that is none of the parser's");
  }
  FUZZ_REQUIRE(input.find(quoted) != std::u32string_view::npos);
}

void checkRecord(const Genotype& g, Sex starting_sex) {
  for (int i = 0; i < quorvale::GeneCount; ++i) {
    FUZZ_REQUIRE(g.alleleCount[i] >= 0 && g.alleleCount[i] <= 2);
  }
  const Sex sex = quorvale::sexOf(g);
  FUZZ_REQUIRE(sex == Sex::Unspecified || sex == Sex::Male || sex == Sex::Female);
  // Only a sex-linked token changes the sex, and only from unspecified or to
  // the same sex (a contradiction is an error).
  FUZZ_REQUIRE(starting_sex == Sex::Unspecified || sex == starting_sex);
  if (sex == Sex::Male) {
    FUZZ_REQUIRE(g.alleleCount[quorvale::gene::to] != 1);
  }
  if (sex == Sex::Unspecified) {
    FUZZ_REQUIRE(g.alleleCount[quorvale::gene::to] == 0);
  }
  for (bool flag : g.expressed) {
    FUZZ_REQUIRE(!flag);
  }

  // The canonical text reads back as the same record, with the record's own
  // sex, and is written the same way by both writers.
  const std::u32string text = quorvale::genotypeText(g);
  std::string ascii;
  quorvale::appendGenotypeText(g, ascii);
  FUZZ_REQUIRE(quorvale::toUtf8(text) == ascii);
  try {
    const Genotype back = quorvale::parseGenotype(text, sex);
    FUZZ_REQUIRE(back.alleleCount == g.alleleCount);
    FUZZ_REQUIRE(quorvale::genotypeText(back) == text);
  } catch (const GenotypeError&) {
    FUZZ_REQUIRE(!"the canonical text of a parsed record does not parse");
  }
}

// The notation's rules once more, written as plainly as they are stated and
// without any of the parser's shortcuts (a linear search over the symbols, no
// table): the parser must agree with it on the record or on the exact error
// text.
struct Reference {
  std::optional<Genotype> genotype;
  GenotypeError error;
};

Reference referenceParse(std::u32string_view t, Sex starting_sex) {
  auto fold = [](char32_t c) { return c >= U'A' && c <= U'Z' ? c + 32 : c; };
  auto isCapital = [](char32_t c) { return c >= U'A' && c <= U'Z'; };
  auto lookup = [](std::u32string_view symbol) {
    for (int g = 0; g < quorvale::GeneCount; ++g) {
      const std::string_view known = quorvale::geneSymbol(g);
      if (known.size() == symbol.size() &&
          std::equal(known.begin(), known.end(), symbol.begin(),
                     [](char a, char32_t b) { return static_cast<char32_t>(a) == b; })) {
        return g;
      }
    }
    return -1;
  };
  auto fail = [](GenotypeFault fault, std::u32string_view quoted = {}, bool hint = false) {
    return Reference{std::nullopt, GenotypeError{fault, std::u32string(quoted), hint}};
  };

  Genotype g;
  quorvale::setSex(g, starting_sex);
  if (t == U"--") {
    return {g, {}};
  }
  bool seen[quorvale::GeneCount] = {};
  std::size_t p = 0;
  while (p < t.size()) {
    const std::size_t r = t.size() - p;
    if (r == 1) {
      return fail(GenotypeFault::CannotParse, t.substr(p, 1), true);
    }
    const char32_t c0 = fold(t[p]);
    if (c0 == fold(t[p + 1])) {
      const int gene = lookup(std::u32string_view(&c0, 1));
      if (gene < 0) {
        return fail(GenotypeFault::CannotParse, t.substr(p, 2));
      }
      if (seen[gene]) {
        return fail(GenotypeFault::RepeatedGene, t.substr(p, 2));
      }
      const int capitals = (isCapital(t[p]) ? 1 : 0) + (isCapital(t[p + 1]) ? 1 : 0);
      g.alleleCount[gene] = gene <= 6 ? 2 - capitals : capitals;
      seen[gene] = true;
      p += 2;
      continue;
    }
    if (r == 2) {
      return fail(GenotypeFault::CannotParse, t.substr(p, 2), true);
    }
    const std::u32string_view three = t.substr(p, 3);
    if (three == U"ToY" || three == U"toY") {
      if (quorvale::sexOf(g) == Sex::Female) {
        return fail(GenotypeFault::YInFemale);
      }
      quorvale::setSex(g, Sex::Male);
      if (t[p] == U'T') {
        g.alleleCount[quorvale::gene::to] = 2;
      }
      seen[quorvale::gene::to] = true;
      p += 3;
      continue;
    }
    if (r == 3) {
      return fail(GenotypeFault::CannotParse, three);
    }
    const std::u32string_view four = t.substr(p, 4);
    if (fold(t[p]) != fold(t[p + 2]) || t[p + 1] != t[p + 3]) {
      return fail(GenotypeFault::CannotParse, four);
    }
    const char32_t symbol[] = {c0, t[p + 1]};
    const int gene = lookup(std::u32string_view(symbol, 2));
    if (gene < 0) {
      return fail(GenotypeFault::CannotParse, four);
    }
    if (seen[gene]) {
      return fail(GenotypeFault::RepeatedGene, four);
    }
    if (gene == quorvale::gene::to) {
      if (quorvale::sexOf(g) == Sex::Male) {
        return fail(GenotypeFault::OneToInMale);
      }
      quorvale::setSex(g, Sex::Female);
    }
    const int capitals = (isCapital(t[p]) ? 1 : 0) + (isCapital(t[p + 2]) ? 1 : 0);
    g.alleleCount[gene] = gene <= 6 ? 2 - capitals : capitals;
    seen[gene] = true;
    p += 4;
  }
  return {g, {}};
}

// The error's line in each language is the catalogue message, the quoted
// characters made safe to show and maybe the hint: never a control character
// the user typed, which could move the cursor or recolour the terminal.
void checkErrorText(const GenotypeError& error) {
  for (Language language : {Language::English, Language::Russian}) {
    const std::u32string text = quorvale::genotypeErrorText(error, language);
    for (char32_t c : text) {
      FUZZ_REQUIRE(c == U'\n' || !(c < 0x20 || (c >= 0x7F && c <= 0x9F)));
    }
  }
}

void parseAndCheck(std::u32string_view input, Sex starting_sex) {
  const Reference expected = referenceParse(input, starting_sex);
  // Characters fed after a fault change nothing.
  quorvale::GenotypeReader reader(starting_sex);
  for (char32_t c : input) {
    reader.feed(c);
  }
  reader.finish();
  Genotype genotype;
  try {
    genotype = quorvale::parseGenotype(input, starting_sex);
  } catch (const GenotypeError& error) {
    FUZZ_REQUIRE(!expected.genotype && error == expected.error);
    FUZZ_REQUIRE(reader.failed() && reader.error() == error);
    checkError(error, input);
    checkErrorText(error);
    return;
  }
  FUZZ_REQUIRE(expected.genotype && *expected.genotype == genotype);
  FUZZ_REQUIRE(!reader.failed() && reader.genotype() == genotype);
  checkRecord(genotype, starting_sex);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u32string input = decode(data, size);
  for (Sex sex : {Sex::Unspecified, Sex::Male, Sex::Female}) {
    parseAndCheck(input, sex);
  }
  return 0;
}
