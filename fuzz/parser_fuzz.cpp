// Fuzz target: the genotype parser on any sequence of code points.
//
// For every input, in both languages and with each starting Sex, the parser
// either throws one of its four catalogue errors (quoting at most the four
// offending characters of the input) or returns a record the rest of the
// program can rely on: counts 0 to 2, Sex 0 to 2, a male's Yellow count 0 or
// 2, no flag derived yet. A returned record's canonical text reads back as
// the same record. The outcome never depends on the language.
//
// The first byte picks how the rest becomes code points:
//   0: each byte picks a character from a small alphabet of the notation's
//      letters plus a few hostile ones, so that the fuzzer reaches deep
//      parses quickly;
//   1: UTF-8, with U+FFFD for every invalid byte, as the console decodes;
//   2: four bytes per code point, any 32-bit value at all (surrogates,
//      values above U+10FFFF), which the console never produces but the
//      parser must not trip over either.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "genetics/genotype.h"
#include "genetics/genotype_text.h"
#include "genetics/parser.h"
#include "text/language.h"
#include "text/messages.h"
#include "text/utf8.h"

namespace {

using quorvale::Genotype;
using quorvale::GenotypeError;
using quorvale::Language;
using quorvale::MessageId;
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
  if (size == 0) return text;
  const std::uint8_t mode = data[0] % 3;
  ++data;
  --size;
  if (mode == 0) {
    for (std::size_t i = 0; i < size; ++i) text += kAlphabet[data[i] % std::size(kAlphabet)];
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

// What one parse came to: the record, or the message the error starts with.
struct Outcome {
  std::optional<Genotype> genotype;
  std::optional<MessageId> error;
  friend bool operator==(const Outcome&, const Outcome&) = default;
};

// The error text is one of the parser's messages in the given language. The
// sex errors stand alone; the others are followed by the offending
// characters as the user typed them (one to four, a piece of the input), and
// a piece of one or two characters at the end of the text by the hint that a
// gene may have been left out.
MessageId checkError(const std::u32string& text, std::u32string_view input, Language language) {
  for (MessageId id : {MessageId::YInFemale, MessageId::OneToInMale}) {
    if (text == quorvale::messageText(id, language)) return id;
  }
  for (MessageId id : {MessageId::CannotParse, MessageId::RepeatedGene}) {
    const std::u32string_view message = quorvale::messageText(id, language);
    if (!text.starts_with(message)) continue;
    std::u32string_view quoted = std::u32string_view(text).substr(message.size());
    const std::u32string_view hint = quorvale::messageText(MessageId::SkippedGeneHint, language);
    if (quoted.size() > 4) {
      FUZZ_REQUIRE(id == MessageId::CannotParse && quoted.ends_with(hint));
      quoted.remove_suffix(hint.size());
      FUZZ_REQUIRE(quoted.size() == 1 || quoted.size() == 2);
      // A piece cut short is always the end of the text.
      FUZZ_REQUIRE(input.ends_with(quoted));
    }
    FUZZ_REQUIRE(!quoted.empty() && quoted.size() <= 4);
    if (id == MessageId::RepeatedGene) FUZZ_REQUIRE(quoted.size() == 2 || quoted.size() == 4);
    FUZZ_REQUIRE(input.find(quoted) != std::u32string_view::npos);
    return id;
  }
  FUZZ_REQUIRE(!"an error text that is none of the parser's messages");
  return MessageId::CannotParse;
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
  if (sex == Sex::Male) FUZZ_REQUIRE(g.alleleCount[quorvale::gene::to] != 1);
  if (sex == Sex::Unspecified) FUZZ_REQUIRE(g.alleleCount[quorvale::gene::to] == 0);
  for (bool flag : g.expressed) FUZZ_REQUIRE(!flag);

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

Outcome parseAndCheck(std::u32string_view input, Sex starting_sex, Language language) {
  quorvale::setCurrentLanguage(language);
  Outcome outcome;
  try {
    outcome.genotype = quorvale::parseGenotype(input, starting_sex);
  } catch (const GenotypeError& error) {
    outcome.error = checkError(error.text, input, language);
    return outcome;
  }
  checkRecord(*outcome.genotype, starting_sex);
  return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u32string input = decode(data, size);
  for (Sex sex : {Sex::Unspecified, Sex::Male, Sex::Female}) {
    const Outcome english = parseAndCheck(input, sex, Language::English);
    const Outcome russian = parseAndCheck(input, sex, Language::Russian);
    FUZZ_REQUIRE(english == russian);
  }
  return 0;
}
