#include "genetics/genotype_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "genetics/parser.h"
#include "testing/test_support.h"
#include "text/utf8.h"

namespace quorvale {
namespace {

// Sanitizer and unoptimised builds run the exhaustive tests on a sample.
#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(undefined_behavior_sanitizer)
#define QUORVALE_SLOW_BUILD
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || !defined(NDEBUG)
#define QUORVALE_SLOW_BUILD
#endif
#ifdef QUORVALE_SLOW_BUILD
constexpr bool kSlowBuild = true;
#else
constexpr bool kSlowBuild = false;
#endif

using testing::animal;

// Genes 0 to 12 at `count`, Yellow at `yellow`.
Genotype everyGeneAt(int count, int yellow, Sex sex) {
  Genotype g;
  g.alleleCount.fill(count);
  g.alleleCount[gene::to] = yellow;
  setSex(g, sex);
  return g;
}

// Both entry points give the same text, and so do its genes' parts put
// together (the litter report writes members from those parts).
std::string textOf(const Genotype& g) {
  std::string ascii = "prefix:";
  appendGenotypeText(g, ascii);
  EXPECT_EQ(ascii.substr(0, 7), "prefix:");
  ascii.erase(0, 7);
  EXPECT_EQ(toUtf8(genotypeText(g)), ascii);
  std::string parts;
  for (GeneIndex i = 0; i < GeneCount; ++i) {
    appendGeneText(i, g.alleleCount[i], sexOf(g), parts);
  }
  EXPECT_EQ(parts.empty() ? "--" : parts, ascii);
  return ascii;
}

TEST(GenotypeText, Examples) {
  using namespace gene;  // the rows read like the notation
  const Sex none = Sex::Unspecified;
  const std::vector<std::pair<Genotype, std::string>> examples = {
      {animal({}, none), "--"},
      {animal({}, Sex::Male), "--"},
      {animal({}, Sex::Female), "--"},
      {animal({{e, 2}, {dg, 1}, {u, 1}}, none), "eeDgdgUu"},
      {animal({{e, 1}, {u, 2}}, none), "EeUU"},
      {animal({{a, 2}, {ba, 1}}, none), "aaBaba"},
      {animal({{e, 2}, {to, 2}}, Sex::Male), "eeToY"},
      {animal({{to, 1}}, Sex::Female), "Toto"},
      {animal({{to, 2}}, Sex::Female), "ToTo"},
      {animal({{to, 2}}, none), "--"},
      {animal({{to, 1}}, none), "Toto"},
      {animal({{e, 2}}, Sex::Male), "ee"},  // no "toY" for a male without Yellow
      {animal({{dg, 1}, {sg, 2}}, none), "DgdgSgSg"},
      {animal({{l, 1}, {lg, 2}}, none), "LlLgLg"},
      {animal({{e, -1}, {p, 7}, {u, 5}}, none), "ppUU"},  // 0 or less, more than 2
      // Every gene at once, in table order.
      {everyGeneAt(1, 2, Sex::Male), "EeDgdgPpAaCdcdRdrdLlUuBabaSasaSgsgLglgDsdsToY"},
      {everyGeneAt(2, 2, Sex::Female), "eedgdgppaacdcdrdrdllUUBaBaSaSaSgSgLgLgDsDsToTo"},
  };
  for (const auto& [genotype, text] : examples) {
    EXPECT_EQ(textOf(genotype), text) << text;
  }
}

TEST(GenotypeText, IgnoresExpressedFlags) {
  Genotype g = animal({{gene::u, 1}}, Sex::Male);
  g.expressed.fill(true);
  EXPECT_EQ(textOf(g), "Uu");
}

// Writing out what a user typed gives its canonical form.
TEST(GenotypeText, CanonicalFormOfTypedText) {
  const std::vector<std::pair<std::u32string, std::string>> cases = {
      {U"eE", "Ee"},
      {U"dgDg", "Dgdg"},
      {U"baBa", "Baba"},
      {U"EE", "--"},
      {U"uu", "--"},
      {U"EEuuaa", "aa"},
      {U"toY", "--"},
      {U"toto", "--"},
      {U"toTo", "Toto"},
      {U"ToYtoY", "ToY"},
      {U"UuToYaaeE", "EeaaUuToY"},
      {U"--", "--"},
  };
  for (const auto& [typed, canonical] : cases) {
    EXPECT_EQ(textOf(parseGenotype(typed, Sex::Unspecified)), canonical) << toUtf8(typed);
  }
}

// Every record the system can produce: counts 0 to 2 for genes 0 to 12; Yellow
// at 0 or 2 for a male, 0 to 2 for a female, 0 when the sex is not known.
// Each comes back unchanged from its text when parsed with its own sex.
TEST(GenotypeText, RoundTripOfEveryRecord) {
  constexpr int kAutosomalRecords = 1594323;    // 3^13
  constexpr int kStride = kSlowBuild ? 31 : 1;  // a spread sample where every call is slow
  const std::pair<Sex, int> kYellow[] = {
      {Sex::Unspecified, 0}, {Sex::Male, 0},   {Sex::Male, 2},
      {Sex::Female, 0},      {Sex::Female, 1}, {Sex::Female, 2},
  };
  std::string text;
  std::u32string wide;
  int failures = 0;
  for (int index = 0; index < kAutosomalRecords && failures < 5; index += kStride) {
    Genotype g;
    for (int i = 0, rest = index; i < gene::to; ++i, rest /= 3) {
      g.alleleCount[i] = rest % 3;
    }
    for (auto [sex, yellow] : kYellow) {
      setSex(g, sex);
      g.alleleCount[gene::to] = yellow;
      text.clear();
      appendGenotypeText(g, text);
      wide.assign(text.begin(), text.end());
      const Genotype back = parseGenotype(wide, sex);
      if (back != g) {
        ++failures;
        ADD_FAILURE() << text << " read back differently (sex " << static_cast<int>(sex) << ")";
      }
    }
  }
}

// Read without its sex, a text restores the sex only when Yellow is written.
TEST(GenotypeText, ReadWithoutSex) {
  const std::vector<std::pair<Genotype, Sex>> cases = {
      {animal({{gene::to, 2}}, Sex::Male), Sex::Male},
      {animal({{gene::to, 2}}, Sex::Female), Sex::Female},
      {animal({{gene::to, 1}}, Sex::Female), Sex::Female},
      {animal({{gene::e, 2}}, Sex::Male), Sex::Unspecified},
      {animal({{gene::e, 2}}, Sex::Female), Sex::Unspecified},
  };
  for (const auto& [g, sex] : cases) {
    const std::u32string text = genotypeText(g);
    const Genotype back = parseGenotype(text, Sex::Unspecified);
    EXPECT_EQ(sexOf(back), sex) << toUtf8(text);
    Genotype expected = g;
    setSex(expected, sex);
    EXPECT_EQ(back, expected) << toUtf8(text);
  }
}

}  // namespace
}  // namespace quorvale
