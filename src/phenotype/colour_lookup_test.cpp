#include "phenotype/colour_lookup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "genetics/parser.h"
#include "phenotype/animal.h"
#include "testing/simplest.h"
#include "testing/test_support.h"

namespace quorvale {
namespace {

using testing::utf8;

// The way back as the command genotypes takes a line.
std::optional<LineLookup> lookUpLine(std::u32string_view line) {
  const ColourLineReading reading = readColourLine(line, kExactShortHair);
  return reading.pattern ? quorvale::lookUpLine(*reading.pattern, kExactShortHair) : std::nullopt;
}

// Every row's genotypes, typed at option 1, give that colour or word, in
// both languages; the male and female forms are a male and a female.
TEST(ColourTable, EveryRowsGenotypeGivesItsColourAtOptionOne) {
  const std::vector<ColourRow> table = colourTable();
  ASSERT_EQ(table.size(), 48u);
  for (const ColourRow& row : table) {
    SCOPED_TRACE(utf8(rowName(row, Language::English)));
    ASSERT_FALSE(row.genotypes.empty());
    ASSERT_LE(row.genotypes.size(), 2u);
    for (const Genotype& expected : row.genotypes) {
      const GenotypeReader read = readGenotype(lookupText(expected), Sex::Unspecified);
      ASSERT_FALSE(read.failed());
      EXPECT_EQ(read.genotype().alleleCount, expected.alleleCount);
      Genotype g = read.genotype();
      const ColourName name = colourNameOf(decideDescription(g, true, true));
      if (row.is_word) {
        EXPECT_TRUE(name.umbrous == row.word || name.pattern == row.word ||
                    name.satin == row.word || name.length == row.word);
      } else {
        EXPECT_EQ(name.coat.base, row.base);
      }
      for (const Language language : testing::kLanguages) {
        const std::u32string line =
            describeAnimal(read.genotype(), true, true, language).description;
        EXPECT_NE(line.find(rowName(row, language)), std::u32string::npos) << utf8(line);
      }
    }
    if (row.genotypes.size() == 2) {
      EXPECT_EQ(sexOf(row.genotypes[0]), Sex::Male);
      EXPECT_EQ(sexOf(row.genotypes[1]), Sex::Female);
    }
  }
}

TEST(ColourLookup, SimplestGenotypesAsABruteForceSearchFindsThem) {
  for (const std::u32string_view line :
       {U"SH Sable", U"LH Umbrous Golden Banded Satin", U"SH Black Banded", U"SH Yellow",
        U"SH Golden Tortoiseshell, female", U"SH Golden, male", U"SH BE Ivory",
        U"черный с поясом КШ", U"Lethal combination of genes", U"SH DE/FE White"}) {
    SCOPED_TRACE(utf8(line));
    const std::optional<LineLookup> found = lookUpLine(line);
    ASSERT_TRUE(found);
    std::vector<std::u32string> texts;
    for (const Genotype& g : found->genotypes) {
      texts.push_back(lookupText(g));
    }
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts, simplestByBruteForce(line, 6));
  }
  EXPECT_FALSE(lookUpLine(U"SH Purple"));
}

TEST(ColourLookup, TheClosestOfLinesThatFoldAlikeAndANameAlone) {
  const auto texts = [](std::u32string_view line) {
    const std::optional<LineLookup> lookup = lookUpLine(line);
    std::vector<std::string> found;
    for (const Genotype& g : lookup->genotypes) {
      found.push_back(utf8(lookupText(g)));
    }
    return found;
  };
  // Ivory BE's Russian name begins with a Latin c, BE Ivory's with the
  // Cyrillic one.
  EXPECT_EQ(texts(U"cлоновая кость ЧГ КШ"), std::vector<std::string>{"eedgdg"});
  EXPECT_EQ(texts(U"слоновая кость ЧГ КШ"), (std::vector<std::string>{"eeLglg", "eeSgsg"}));
  EXPECT_EQ(texts(U"sable"), std::vector<std::string>{"eeUu"});
}

TEST(ColourLookup, FoldedNamesAndWords) {
  // The Latin c of three Russian names reads as the Cyrillic one.
  EXPECT_EQ(foldedKey(U"cлоновая кость ЧГ"), foldedKey(U"Слоновая Кость чг"));
  EXPECT_EQ(foldedKey(U"Cream"), U"cream");
  EXPECT_EQ(foldedKey(U"жёлтый"), U"желтый");
  std::vector<std::u32string> sable = {U"sable"};
  std::size_t sables = 0;
  for (const ColourRow& row : colourTable()) {
    sables += rowMatches(row, sable) ? 1 : 0;
  }
  EXPECT_EQ(sables, 4u);
  EXPECT_TRUE(isColourName(U"соболь"));
  EXPECT_TRUE(isColourName(U"Sabl"));
  EXPECT_FALSE(isColourName(U"Sab"));
  EXPECT_FALSE(isColourName(U"Sabel"));
}

}  // namespace
}  // namespace quorvale
