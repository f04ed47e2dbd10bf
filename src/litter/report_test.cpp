#include "litter/report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "genetics/genotype_text.h"
#include "genetics/parser.h"
#include "litter/fraction.h"
#include "litter/phenotype_groups.h"
#include "phenotype/description.h"
#include "testing/cross.h"
#include "testing/fraction_text.h"
#include "testing/test_support.h"
#include "text/genotype_error.h"
#include "text/language.h"
#include "text/messages.h"
#include "text/string_output.h"
#include "text/utf8.h"

namespace quorvale {
namespace {

// The order of member lines inside a group is free, so reports are compared
// with each run of member lines (three tabs) sorted.
std::string normalised(const std::string& report) {
  std::vector<std::string> lines;
  std::istringstream in(report);
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  for (auto run = lines.begin(); run != lines.end();) {
    auto is_member = [](const std::string& l) { return l.rfind("\t\t\t", 0) == 0; };
    run = std::find_if(run, lines.end(), is_member);
    auto end = std::find_if_not(run, lines.end(), is_member);
    std::sort(run, end);
    run = end;
  }
  std::string joined;
  for (const std::string& line : lines) {
    joined += line + '\n';
  }
  return joined;
}

std::string report(std::u32string_view male, std::u32string_view female,
                   Language language = Language::English) {
  StringOutput out;
  predictLitter(male, female, language, out);
  return out.bytes();
}

struct Example {
  const char* male;
  const char* female;
  Language language;
  const char* expected;
};

TEST(LitterReport, ExamplesLineByLine) {
  const Example examples[] = {
      {"ToY", "toto", Language::English,
       "\nMale: SH Yellow\n"
       "Female: SH Golden\n"
       "Litter: \n"
       "\t1/2 \tSH Golden Tortoiseshell, female\n"
       "\t\t\t1/2 \tToto\n"
       "\t1/2 \tSH Golden, male\n"
       "\t\t\t1/2 \t--\n"},
      {"ToY", "toto", Language::Russian,
       "\nОкрас самца: желтый КШ\n"
       "Окрас самки: золотистый КШ\n"
       "Окрасы потомства: \n"
       "\t1/2 \tзолотистый КШ, самец\n"
       "\t\t\t1/2 \t--\n"
       "\t1/2 \tзолотистый черепаховый КШ, самка\n"
       "\t\t\t1/2 \tToto\n"},
      {"toY", "Toto", Language::English,
       "\nMale: SH Golden\n"
       "Female: SH Golden Tortoiseshell\n"
       "Litter: \n"
       "\t1/2 \tSH Golden\n"
       "\t\t\t1/2 \t--\n"
       "\t1/4 \tSH Golden Tortoiseshell, female\n"
       "\t\t\t1/4 \tToto\n"
       "\t1/4 \tSH Yellow, male\n"
       "\t\t\t1/4 \tToY\n"},
      {"toY", "Toto", Language::Russian,
       "\nОкрас самца: золотистый КШ\n"
       "Окрас самки: золотистый черепаховый КШ\n"
       "Окрасы потомства: \n"
       "\t1/4 \tжелтый КШ, самец\n"
       "\t\t\t1/4 \tToY\n"
       "\t1/2 \tзолотистый КШ\n"
       "\t\t\t1/2 \t--\n"
       "\t1/4 \tзолотистый черепаховый КШ, самка\n"
       "\t\t\t1/4 \tToto\n"},
      {"Sasa", "Sasa", Language::English,
       "\nMale: SH Golden Satin\n"
       "Female: SH Golden Satin\n"
       "!!! Undesirable genes for mating: Satin & Satin !!!\n"
       "Litter: \n"
       "\t1/4 \tSH Golden\n"
       "\t\t\t1/4 \t--\n"
       "\t1/4 \tSH Golden Double Satin\n"
       "\t!!! Undesirable combination of genes: Double Satin !!!\n"
       "\t\t\t1/4 \tSaSa\n"
       "\t1/2 \tSH Golden Satin\n"
       "\t\t\t1/2 \tSasa\n"},
      {"Sasa", "Sasa", Language::Russian,
       "\nОкрас самца: золотистый атласный КШ\n"
       "Окрас самки: золотистый атласный КШ\n"
       "!!! Нежелательное сочетание ген для вязки: атласный и атласный !!!\n"
       "Окрасы потомства: \n"
       "\t1/4 \tзолотистый КШ\n"
       "\t\t\t1/4 \t--\n"
       "\t1/2 \tзолотистый атласный КШ\n"
       "\t\t\t1/2 \tSasa\n"
       "\t1/4 \tзолотистый двойной атласный КШ\n"
       "\t!!! Нежелательное сочетание ген: двойной атласный !!!\n"
       "\t\t\t1/4 \tSaSa\n"},
      {"Lglg", "Lglg", Language::English,
       "\nMale: SH Light Grey\n"
       "Female: SH Light Grey\n"
       "!!! Undesirable genes for mating: Light Grey & Light Grey !!!\n"
       "Litter: \n"
       "\t1/4 \tLethal combination of genes\n"
       "\t!!! Undesirable combination of genes: homozygous Light Grey !!!\n"
       "\t\t\t1/4 \tLgLg\n"
       "\t1/4 \tSH Golden\n"
       "\t\t\t1/4 \t--\n"
       "\t1/2 \tSH Light Grey\n"
       "\t\t\t1/2 \tLglg\n"},
      {"Lglg", "Lglg", Language::Russian,
       "\nОкрас самца: светло-серый КШ\n"
       "Окрас самки: светло-серый КШ\n"
       "!!! Нежелательное сочетание ген для вязки: светло-серый и светло-серый !!!\n"
       "Окрасы потомства: \n"
       "\t1/4 \tзолотистый КШ\n"
       "\t\t\t1/4 \t--\n"
       "\t1/4 \tнежизнеспособное сочетание ген\n"
       "\t!!! Нежелательное сочетание ген: гомозиготный светло-серый !!!\n"
       "\t\t\t1/4 \tLgLg\n"
       "\t1/2 \tсветло-серый КШ\n"
       "\t\t\t1/2 \tLglg\n"},
      // Sons and daughters share a group when the coat shows no sex.
      {"cdcdToY", "cdcdToTo", Language::English,
       "\nMale: SH DE White, hidden Yellow\n"
       "Female: SH DE White, hidden Yellow\n"
       "Litter: \n"
       "\t1/1 \tSH DE White\n"
       "\t\t\t1/2 \tcdcdToTo\n"
       "\t\t\t1/2 \tcdcdToY\n"},
      {"--", "--", Language::English,
       "\nMale: SH Golden\n"
       "Female: SH Golden\n"
       "Litter: \n"
       "\t1/1 \tSH Golden\n"
       "\t\t\t1/1 \t--\n"},
  };
  for (const Example& example : examples) {
    SCOPED_TRACE(std::string(example.male) + " x " + example.female);
    EXPECT_EQ(
        normalised(report(fromUtf8(example.male), fromUtf8(example.female), example.language)),
        normalised(example.expected));
  }
}

TEST(LitterReport, CarrierLinesAndRepeatedMatingWarnings) {
  // The grey mixing warning can stand three times and keeps its catalogue
  // text, trailing blank included.
  const std::string head =
      "\nMale: SH Light Grey, carries genes of Cream and Dark Grey\n"
      "Female: SH Silver Grey, carries genes of Dark Grey\n"
      "!!! Undesirable genes for mating: mixing different Greys  !!!\n"
      "!!! Undesirable genes for mating: mixing different Greys  !!!\n"
      "!!! Undesirable genes for mating: mixing different Greys  !!!\n"
      "Litter: \n";
  EXPECT_EQ(report(U"EeLglgDgdg", U"SgsgDgdg").substr(0, head.size()), head);
}

std::string parseError(std::u32string_view text, Sex sex, Language language) {
  const GenotypeReader reader = readGenotype(text, sex);
  EXPECT_TRUE(reader.failed()) << "no error for " << toUtf8(text);
  return reader.failed() ? toUtf8(genotypeErrorText(reader.error(), language)) + "\n" : "";
}

TEST(LitterReport, ParseErrorsEndTheReport) {
  for (Language language : testing::kLanguages) {
    // A bad male prints only the parser's message.
    EXPECT_EQ(report(U"eeXx", U"ee", language), parseError(U"eeXx", Sex::Male, language));
    // A bad female comes after the male's line; no warnings, no litter.
    const std::string male_line = language == Language::English
                                      ? "\nMale: SH Golden Satin\n"
                                      : "\nОкрас самца: золотистый атласный КШ\n";
    EXPECT_EQ(report(U"Sasa", U"Sasaq", language),
              male_line + parseError(U"Sasaq", Sex::Female, language));
    // The parents' sexes come from their places: Y in the female, one To in
    // the male.
    EXPECT_EQ(report(U"Sasa", U"ToY", language),
              male_line + parseError(U"ToY", Sex::Female, language));
    EXPECT_EQ(report(U"Toto", U"Sasa", language), parseError(U"Toto", Sex::Male, language));
  }
}

// The report as the plain reading of its rules gives it: describe every
// offspring of the cross, stable-sort by the text, group equal neighbours and
// print them.
std::string plainLitter(const Genotype& male, const Genotype& female, Language language) {
  const Litter litter = cross(male, female);
  std::vector<std::pair<std::u32string, std::size_t>> keyed;
  for (std::size_t i = 0; i < litter.size(); ++i) {
    Genotype g = litter[i].genotype;
    keyed.emplace_back(describePhenotype(g, true, true, language), i);
  }
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::u32string text(messageText(MessageId::LitterLabel, language));
  text += U'\n';
  for (std::size_t first = 0; first < keyed.size();) {
    std::size_t end = first;
    double sum = 0;
    while (end < keyed.size() && keyed[end].first == keyed[first].first) {
      sum += litter[keyed[end].second].probability;
      ++end;
    }
    text += U"\t" + fractionText(sum) + U" \t" + keyed[first].first + U"\n";
    for (std::size_t i = first; i < end; ++i) {
      const Offspring& o = litter[keyed[i].second];
      text += U"\t\t\t" + fractionText(o.probability) + U" \t" + genotypeText(o.genotype) + U"\n";
    }
    first = end;
  }
  return toUtf8(text);
}

Genotype randomParent(std::mt19937& random, Sex sex) {
  Genotype g;
  for (GeneIndex i = 0; i < gene::to; ++i) {
    if (random() % 2 == 0) {
      g.alleleCount[i] = static_cast<int>(random() % 3);
    }
  }
  const int yellow = static_cast<int>(random() % 3);
  g.alleleCount[gene::to] = (sex == Sex::Male && yellow == 1) ? 2 : yellow;
  setSex(g, sex);
  return g;
}

TEST(LitterReport, GroupedReportEqualsThePlainOne) {
  const auto expect_plain = [](const Genotype& male, const Genotype& female, Language language) {
    StringOutput out;
    writeLitter(male, female, ReportOptions{}, language, out);
    EXPECT_EQ(normalised(out.bytes()), normalised(plainLitter(male, female, language)))
        << toUtf8(genotypeText(male)) << " x " << toUtf8(genotypeText(female));
    return !::testing::Test::HasFailure();
  };

  // Litters whose combinations change, one after another, first only after
  // their last wheel and then before it: the writer must not keep text from
  // the first change.
  for (const auto& [male, female] :
       {std::pair{U"eeDgdgPpAAcdcdrdrdlluuBabasasasgsglglgDsdsToY",
                  U"eeDgdgPPAaCdcdRdrdlluuBabasasasgsgLglgDsdsToto"},
        std::pair{U"eeDgdgPpAAcdcdRdrdlluuBabasasaSgSglglgDsdstoY",
                  U"EEDgdgPPAaCdCdRdRdLLUuBabasasaSgsgLglgDsdsToto"}}) {
    ASSERT_TRUE(expect_plain(parseGenotype(male, Sex::Male), parseGenotype(female, Sex::Female),
                             Language::English));
  }

  std::mt19937 random(4242);
  int compared = 0;
  std::size_t offspring = 0;
  while (compared < 120) {
    const Genotype male = randomParent(random, Sex::Male);
    const Genotype female = randomParent(random, Sex::Female);
    const std::size_t size = cross(male, female).size();
    if (size < 1000 || size > 6000) {
      continue;
    }
    ASSERT_TRUE(expect_plain(male, female, testing::kLanguages[compared % 2]));
    ++compared;
    offspring += size;
  }
  EXPECT_GT(offspring, 120u * 1200);
}

TEST(LitterReport, LargestLitterAddsUp) {
  const Genotype male = parseGenotype(U"EeDgdgPpAaCdcdRdrdLlUuBabaSasaSgsgLglgDsdsToY", Sex::Male);
  const Genotype female =
      parseGenotype(U"EeDgdgPpAaCdcdRdrdLlUuBabaSasaSgsgLglgDsdsToto", Sex::Female);
  const GroupedLitter litter = groupLitter(male, female, Language::English);
  std::uint64_t chance = 0;
  std::uint64_t members = 0;
  for (const PhenotypeGroup& group : litter.groups) {
    chance += group.chance;
    for (std::uint32_t combination : group.combinations) {
      std::uint64_t product = 1;
      for (GeneIndex g = 0; g < GeneCount; ++g) {
        product *= litter.expansion.classes[g][static_cast<std::size_t>(classOf(combination, g))]
                       .options.size();
      }
      members += product;
    }
  }
  EXPECT_EQ(chance, kChanceOne);
  EXPECT_EQ(members, 6377292u);
  EXPECT_TRUE(std::is_sorted(litter.groups.begin(), litter.groups.end(),
                             [](const PhenotypeGroup& a, const PhenotypeGroup& b) {
                               return a.description < b.description;
                             }));
}

}  // namespace
}  // namespace quorvale
