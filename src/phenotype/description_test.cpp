#include "phenotype/description.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

#include "phenotype/animal.h"
#include "phenotype/colour.h"
#include "testing/test_support.h"

namespace quorvale {
namespace {

using namespace gene;
using testing::animal;
using testing::utf8;

struct DescriptionCase {
  Genotype genotype;
  bool with_warnings;
  bool with_sex;
  std::u32string_view english;
  std::u32string_view russian;
};

TEST(DescribePhenotype, WorkedExamples) {
  const std::vector<DescriptionCase> cases = {
      {animal({}), true, true, U"SH Golden", U"золотистый КШ"},
      {animal({{to, 1}}, Sex::Female), true, true, U"SH Golden Tortoiseshell, female",
       U"золотистый черепаховый КШ, самка"},
      {animal({{to, 1}}, Sex::Female), true, false, U"SH Golden Tortoiseshell",
       U"золотистый черепаховый КШ"},
      {animal({{e, 2}, {to, 2}}, Sex::Female), true, true,
       U"SH BE Cream, female\n\t!!! Undesirable combination of genes: Yellow diluted by Cream !!!",
       U"кремовый ЧГ КШ, самка\n\t!!! Нежелательное сочетание ген: желтый разбавлен кремовым !!!"},
      // The same animal as a litter parent.
      {animal({{e, 2}, {to, 2}}, Sex::Female), false, false, U"SH BE Cream", U"кремовый ЧГ КШ"},
      // One Yellow allele is already diluted by Cream.
      {animal({{e, 2}, {to, 1}}), true, true,
       U"SH BE Cream Tortoiseshell\n\t!!! Undesirable combination of genes: Yellow diluted by "
       U"Cream !!!",
       U"кремовый ЧГ черепаховый КШ\n\t!!! Нежелательное сочетание ген: желтый разбавлен "
       U"кремовым !!!"},
      {animal({{sa, 2}}, Sex::Male), true, true,
       U"SH Golden Double Satin, male\n\t!!! Undesirable combination of genes: Double Satin !!!",
       U"золотистый двойной атласный КШ, самец\n\t!!! Нежелательное сочетание ген: двойной "
       U"атласный !!!"},
      // Whites never show the sex.
      {animal({{e, 2}, {sg, 2}}, Sex::Female), true, true, U"SH BE White", U"белый ЧГ КШ"},
      {animal({{e, 2}, {sg, 2}, {p, 2}}, Sex::Male), true, true, U"SH FE White", U"белый СУ КШ"},
      {animal({{cd, 2}}, Sex::Male), true, true, U"SH DE White", U"белый ТУ КШ"},
      // Neither do unnamed colours nor lethal combinations.
      {animal({{dg, 2}, {lg, 1}}, Sex::Female), true, true,
       U"Unnamed composite color\n\t!!! Undesirable combination of genes: different Greys mixed "
       U"!!!",
       U"комбинированный окрас без названия\n\t!!! Нежелательное сочетание ген: смешаны разные "
       U"серые !!!"},
      {animal({{lg, 2}}, Sex::Male), true, true,
       U"Lethal combination of genes\n\t!!! Undesirable combination of genes: homozygous Light "
       U"Grey !!!",
       U"нежизнеспособное сочетание ген\n\t!!! Нежелательное сочетание ген: гомозиготный "
       U"светло-серый !!!"},
      {animal({{lg, 2}, {ds, 2}, {sa, 2}}, Sex::Female), true, true,
       U"Lethal combination of genes"
       U"\n\t!!! Undesirable combination of genes: homozygous Light Grey !!!"
       U"\n\t!!! Undesirable combination of genes: homozygous Dominant Spot !!!"
       U"\n\t!!! Undesirable combination of genes: Double Satin !!!",
       U"нежизнеспособное сочетание ген"
       U"\n\t!!! Нежелательное сочетание ген: гомозиготный светло-серый !!!"
       U"\n\t!!! Нежелательное сочетание ген: гомозиготный пятнистый !!!"
       U"\n\t!!! Нежелательное сочетание ген: двойной атласный !!!"},
      {animal({{lg, 2}, {ds, 2}, {sa, 2}}, Sex::Female), false, true,
       U"Lethal combination of genes", U"нежизнеспособное сочетание ген"},
      {animal({{e, 2}, {dg, 2}, {lg, 1}, {sg, 1}, {to, 1}}, Sex::Female), true, true,
       U"SH Ivory BE Tortoiseshell, female"
       U"\n\t!!! Undesirable combination of genes: Yellow diluted by Cream !!!"
       U"\n\t!!! Undesirable combination of genes: different Greys mixed !!!",
       U"cлоновая кость ЧГ черепаховый КШ, самка"
       U"\n\t!!! Нежелательное сочетание ген: желтый разбавлен кремовым !!!"
       U"\n\t!!! Нежелательное сочетание ген: смешаны разные серые !!!"},
      // Three greys are still one finding.
      {animal({{dg, 2}, {lg, 1}, {sg, 1}}, Sex::Male), true, true,
       U"Unnamed composite color\n\t!!! Undesirable combination of genes: different Greys mixed "
       U"!!!",
       U"комбинированный окрас без названия\n\t!!! Нежелательное сочетание ген: смешаны разные "
       U"серые !!!"},
      // Without findings the warnings flag changes nothing.
      {animal({{u, 1}, {ba, 1}}, Sex::Male), true, true, U"SH Umbrous Golden Banded, male",
       U"золотистый копченый с поясом КШ, самец"},
      {animal({{u, 1}, {ba, 1}}, Sex::Male), false, true, U"SH Umbrous Golden Banded, male",
       U"золотистый копченый с поясом КШ, самец"},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const DescriptionCase& c = cases[i];
    Genotype en = c.genotype;
    Genotype ru = c.genotype;
    EXPECT_EQ(utf8(describePhenotype(en, c.with_warnings, c.with_sex, Language::English)),
              utf8(c.english))
        << "case " << i;
    EXPECT_EQ(utf8(describePhenotype(ru, c.with_warnings, c.with_sex, Language::Russian)),
              utf8(c.russian))
        << "case " << i;
  }
}

TEST(DescribePhenotype, RederivesStaleFlagsAndClearsTheMarker) {
  // A record left over from an unnamed colour, then changed to a plain one.
  Genotype g = animal({{dg, 2}, {lg, 1}}, Sex::Male);
  describePhenotype(g, false, false, Language::English);
  ASSERT_TRUE(g.expressed[UnnamedMarker]);
  g.alleleCount[lg] = 0;
  EXPECT_EQ(utf8(describePhenotype(g, true, true, Language::English)), "SH Dark Grey, male");
  EXPECT_FALSE(g.expressed[UnnamedMarker]);
}

TEST(ListUndesirableCombinations, FindingsInRuleOrder) {
  struct Case {
    Genotype genotype;
    std::vector<MessageId> expected;
  };
  const std::vector<Case> cases = {
      {animal({}), {}},
      {animal({{lg, 1}, {ds, 1}, {sa, 1}, {to, 2}}), {}},
      // Yellow needs Cream expressed, not carried.
      {animal({{e, 1}, {to, 2}}), {}},
      {animal({{lg, 2}, {ds, 2}, {sa, 2}, {e, 2}, {to, 1}, {dg, 2}, {sg, 1}}),
       {MessageId::HomozygousLightGrey, MessageId::HomozygousDominantSpot, MessageId::DoubleSatin,
        MessageId::YellowDilutedByCream, MessageId::DifferentGreysMixed}},
      {animal({{sg, 2}, {dg, 2}, {e, 2}, {to, 2}}),
       {MessageId::YellowDilutedByCream, MessageId::DifferentGreysMixed}},
      {animal({{sg, 1}, {lg, 1}}), {MessageId::DifferentGreysMixed}},
      // Dark Grey counts only when homozygous.
      {animal({{sg, 1}, {dg, 1}}), {}},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    Genotype g = cases[i].genotype;
    deriveExpressed(g);
    std::vector<MessageId> found = {MessageId::MenuPrompt};  // stale content is replaced
    EXPECT_EQ(listUndesirableCombinations(g, found), !cases[i].expected.empty()) << "case " << i;
    EXPECT_EQ(found, cases[i].expected) << "case " << i;
  }
}

// The litter grouping rests on describedGeneValue: swapping a gene's count
// for another with the same value (0 and 1 of a recessive gene, 1 and 2 of
// Umbrous or Banded) must never change a description, in either language,
// nor what the carrier line hides, which the litter's analyses take from one
// representative of such counts.
TEST(DescribedGeneValue, CountsOfTheSameValueDescribeAlike) {
  std::mt19937 random(99);
  for (Language language : testing::kLanguages) {
    for (int round = 0; round < 30000; ++round) {
      Genotype g;
      for (GeneIndex i = 0; i < GeneCount; ++i) {
        g.alleleCount[i] = static_cast<int>(random() % 3);
      }
      setSex(g, static_cast<Sex>(random() % 3));
      const auto i = static_cast<GeneIndex>(random() % GeneCount);
      for (int other = 0; other < 3; ++other) {
        if (other == g.alleleCount[i] ||
            describedGeneValue(i, other) != describedGeneValue(i, g.alleleCount[i])) {
          continue;
        }
        Genotype swapped = g;
        swapped.alleleCount[i] = other;
        EXPECT_EQ(describePhenotype(g, true, true, language),
                  describePhenotype(swapped, true, true, language));
        EXPECT_EQ(describeAnimal(g, true, true, language).carried.hidden,
                  describeAnimal(swapped, true, true, language).carried.hidden);
      }
    }
  }
}

// Over every genotype and sex: describing is repeatable, the plain
// description is the colour name, and only ordinary colours show the sex.
// Of every key met: its text is its line and its warnings, and keys that
// write the same text in one language write the same in the other (a
// litter's group, gathered by its text, takes its English line from one
// key).
TEST(DescribePhenotypeProperty, RepeatableAndSexOnlyOnOrdinaryColours) {
  std::unordered_set<std::uint64_t> keys;
  testing::forEachCountCombination([&](Genotype& counts) {
    Genotype named = counts;
    const std::u32string name = coatColourName(deriveExpressed(named), Language::English);
    const bool lethal = counts.alleleCount[ds] == 2 || counts.alleleCount[lg] == 2;
    const bool unnamed = named.expressed[UnnamedMarker];
    const bool white = named.expressed[cd] || isSilverCreamWhite(named);
    Genotype plain = counts;
    ASSERT_EQ(describePhenotype(plain, false, false, Language::English), name);
    for (Sex sex : {Sex::Unspecified, Sex::Male, Sex::Female}) {
      Genotype g = counts;
      setSex(g, sex);
      const DescriptionKey key = decideDescription(g, true, true);
      keys.insert(key.bits);
      const std::u32string first = describedText(key, Language::English);
      const Genotype after_first = g;
      ASSERT_EQ(describePhenotype(g, true, true, Language::English), first);
      ASSERT_EQ(g, after_first);
      ASSERT_EQ(g.expressed[UnnamedMarker], unnamed);

      // The warnings, if any, start at the first line end; before it stand
      // the name and the sex suffix.
      const std::u32string_view with_sex = std::u32string_view(first).substr(0, first.find(U'\n'));
      if (lethal || unnamed || white || sex == Sex::Unspecified) {
        ASSERT_EQ(with_sex, name) << utf8(first);
      } else {
        ASSERT_EQ(with_sex, name + (sex == Sex::Male ? U", male" : U", female")) << utf8(first);
      }
    }
  });
  for (const Language language : testing::kLanguages) {
    const Language other = language == Language::English ? Language::Russian : Language::English;
    std::map<std::u32string, std::u32string> other_of;
    for (const std::uint64_t bits : keys) {
      const DescriptionKey key{bits};
      std::u32string text = describedLine(key, language);
      for (const std::u32string& warning : describedWarnings(key, language)) {
        text += U"\n\t!!! " + warning + U" !!!";
      }
      ASSERT_EQ(text, describedText(key, language));
      const auto [at, added] = other_of.try_emplace(text, describedText(key, other));
      ASSERT_EQ(at->second, describedText(key, other)) << utf8(text);
    }
  }
}

}  // namespace
}  // namespace quorvale
