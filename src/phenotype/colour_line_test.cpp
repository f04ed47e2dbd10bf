#include "phenotype/colour_line.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "genetics/parser.h"
#include "phenotype/colour_words.h"
#include "phenotype/readings.h"
#include "testing/test_support.h"

namespace quorvale {
namespace {

using testing::utf8;

// Every line the program writes (without warnings), by base colour and
// key.
std::map<BaseColour, std::map<std::uint64_t, DescriptionKey>> everyLine() {
  std::map<BaseColour, std::map<std::uint64_t, DescriptionKey>> lines;
  forEachReading([&](Genotype& g) {
    const DescriptionKey line = decideDescription(g, false, true);
    lines[colourNameOf(line).coat.base].emplace(line.bits, line);
  });
  return lines;
}

bool sameName(DescriptionKey a, DescriptionKey b) {
  const ColourName x = colourNameOf(a);
  const ColourName y = colourNameOf(b);
  return x.coat.base == y.coat.base && x.umbrous == y.umbrous && x.pattern == y.pattern &&
         x.satin == y.satin && x.length == y.length;
}

// Each line as the program writes it (4268 of them), in either language,
// reads back as a pattern that fits exactly the lines of that name (and
// sex, when it names one), and no other (lines of another base colour
// never fit).
TEST(ColourLine, EveryLineWrittenReadsBackAsThatLine) {
  const auto lines = everyLine();
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(BaseColourCount));
  for (const auto& [base, of_base] : lines) {
    for (const auto& [bits, line] : of_base) {
      for (const Language language : testing::kLanguages) {
        const std::u32string text = describedText(line, language);
        SCOPED_TRACE(utf8(text));
        const ColourLineReading reading = readColourLine(text, kExactShortHair);
        ASSERT_TRUE(reading.pattern);
        EXPECT_EQ(patternText(*reading.pattern, kExactShortHair, language), text);
        for (const auto& [other_bits, other] : of_base) {
          const bool same = sameName(line, other) && (sexShownOf(line) == Sex::Unspecified ||
                                                      sexShownOf(line) == sexShownOf(other));
          ASSERT_EQ(fitsLine(other, *reading.pattern, kExactShortHair), same)
              << utf8(describedText(other, Language::English));
        }
      }
    }
  }
}

DescriptionKey lineOf(std::u32string_view genotype) {
  Genotype g = readGenotype(genotype, Sex::Unspecified).genotype();
  return decideDescription(g, false, true);
}

TEST(ColourLine, FreeFitAndTheUntypedCoatLength) {
  const LinePattern target = *readColourLine(U"Black Tortoiseshell", kExactShortHair).pattern;
  const LineFit free{.exact = false, .untyped_length = ColourWord::None};
  EXPECT_TRUE(fitsLine(lineOf(U"aallSasaToto"), target, free));
  EXPECT_FALSE(fitsLine(lineOf(U"aallSasaToto"), target, kExactShortHair));
  EXPECT_TRUE(fitsLine(lineOf(U"aaToto"), target, kExactShortHair));
  EXPECT_FALSE(fitsLine(lineOf(U"aaBabaToto"), target, free));  // Tri-Color
  EXPECT_FALSE(fitsLine(lineOf(U"aatoto"), target, free));
  EXPECT_FALSE(fitsLine(lineOf(U"eeToto"), target, free));
  // Exact, either length: words not typed stay absent.
  const LineFit either{.exact = true, .untyped_length = ColourWord::None};
  EXPECT_TRUE(fitsLine(lineOf(U"aallToto"), target, either));
  EXPECT_FALSE(fitsLine(lineOf(U"aallSasaToto"), target, either));
  // A typed length is kept; a line without one fits any untyped length.
  const LinePattern long_hair = *readColourLine(U"LH Black", kExactShortHair).pattern;
  EXPECT_FALSE(fitsLine(lineOf(U"aa"), long_hair, free));
  const LinePattern lethal = *readColourLine(U"Lethal", kExactShortHair).pattern;
  EXPECT_TRUE(fitsLine(lineOf(U"LgLg"), lethal, kExactShortHair));
}

// The rules of reading, one example each, written back in English (an
// error as its kind and, when ambiguous, its lines).
TEST(ColourLine, TheRulesOfReading) {
  const auto read = [](std::u32string_view typed) {
    const ColourLineReading reading = readColourLine(typed, kExactShortHair);
    if (reading.pattern) {
      return utf8(patternText(*reading.pattern, kExactShortHair, Language::English));
    }
    std::string text = "error " + std::to_string(static_cast<int>(reading.error.kind));
    for (const LinePattern& line : reading.error.lines) {
      text += "; " + utf8(patternText(line, kExactShortHair, Language::English));
    }
    return text;
  };
  const std::string no_line = "error 0";
  const std::string unknown = "error 1";
  // A phrase whole before one in part, fewer phrases before more.
  EXPECT_EQ(read(U"Sable"), "SH Sable");
  EXPECT_EQ(read(U"Dark Grey Sable"), "SH Dark Grey Sable");
  EXPECT_EQ(read(U"Grey Sable"), "error 2; SH Dark Grey Sable; SH Light Grey Sable");
  EXPECT_EQ(read(U"Dominant Spot Banded"), "SH Golden Dominant Spot Banded");
  EXPECT_EQ(read(U"black double satin"), "SH Black Double Satin");
  EXPECT_EQ(read(U"Dappled"), "SH Golden Recessive Dappled");
  EXPECT_EQ(read(U"Yellow Black, female"), "SH Yellow Black, female");
  // In any order and either language; the sex; no base colour is Golden.
  EXPECT_EQ(read(U"Banded Black LH"), "LH Black Banded");
  EXPECT_EQ(read(U"пятнистый черный самка"), "SH Black Dominant Spot, female");
  EXPECT_EQ(read(U"Tortie"), "SH Golden Tortoiseshell, female");
  EXPECT_EQ(read(U"Short Hair"), "SH Golden");
  // The Russian Ivory BE begins with a Latin c: typed so, it is meant.
  EXPECT_EQ(read(U"cлоновая кость ЧГ"), "SH Ivory BE");
  EXPECT_EQ(read(U"СЛОНОВАЯ КОСТЬ ЧГ"), "SH BE Ivory");
  // No line: a slot twice, a male tortoiseshell, a line no animal has.
  EXPECT_EQ(read(U"Black Sable"), no_line);
  EXPECT_EQ(read(U"SH Sable LH"), no_line);
  EXPECT_EQ(read(U"Tortoiseshell, male"), no_line);
  EXPECT_EQ(read(U"Cream Umbrous"), no_line);
  EXPECT_EQ(read(U""), no_line);
  EXPECT_EQ(read(U"Sable Purple"), unknown);
}

TEST(ColourWords, MatchingAndSuggestions) {
  EXPECT_TRUE(wordsMatch(U"черный", U"черным"));
  EXPECT_TRUE(wordsMatch(U"серебр", U"серебристый"));
  EXPECT_TRUE(wordsMatch(U"серебристый", U"серебре"));
  EXPECT_FALSE(wordsMatch(U"серый", U"серебристый"));
  EXPECT_FALSE(wordsMatch(U"черный", U"черепаховый"));
  EXPECT_FALSE(wordsMatch(U"sab", U"sable"));
  EXPECT_FALSE(wordsMatch(U"s", U"sh"));
  EXPECT_TRUE(wordsMatch(U"sh", U"sh"));
  EXPECT_EQ(colourNameWords(U"Tri-Colour, gray").back().folded, U"grey");
  EXPECT_EQ(colourNameWords(U"Tri-Colour, gray")[1].folded, U"color");

  EXPECT_EQ(damerauDistance(U"sabel", U"sable", 2), 1);
  EXPECT_EQ(damerauDistance(U"blakc", U"black", 2), 1);
  EXPECT_EQ(damerauDistance(U"sbael", U"sable", 2), 2);
  EXPECT_EQ(damerauDistance(U"pearl", U"purple", 2), 3);
  EXPECT_EQ(damerauDistance(std::u32string(100000, U'a'), U"sable", 2), 3);

  const std::vector<ColourPhrase> phrases = colourPhrases(true);
  EXPECT_EQ(suggestedWords(U"sabel", phrases), std::vector<std::u32string>{U"Sable"});
  EXPECT_EQ(suggestedWords(U"cremovy", phrases), std::vector<std::u32string>{});
  EXPECT_EQ(suggestedWords(U"xx", phrases), std::vector<std::u32string>{});
  EXPECT_EQ(suggestedWords(U"сабол", phrases), std::vector<std::u32string>{U"соболь"});
  EXPECT_LE(suggestedWords(U"rd", phrases).size(), 3u);
}

}  // namespace
}  // namespace quorvale
