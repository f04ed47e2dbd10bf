#include "phenotype/colour.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "phenotype/colour_rules.h"
#include "testing/test_support.h"

namespace quorvale {
namespace {

using namespace gene;
using testing::animal;
using testing::utf8;

constexpr std::u32string_view kLethalEn = U"Lethal combination of genes";
constexpr std::u32string_view kLethalRu = U"нежизнеспособное сочетание ген";
constexpr std::u32string_view kUnnamedEn = U"Unnamed composite color";
constexpr std::u32string_view kUnnamedRu = U"комбинированный окрас без названия";

struct NamingCase {
  Genotype genotype;
  std::u32string_view english;
  std::u32string_view russian;
};

void expectNames(const NamingCase& c, const std::string& label) {
  Genotype en = c.genotype;
  Genotype ru = c.genotype;
  EXPECT_EQ(utf8(coatColourName(deriveExpressed(en), Language::English)), utf8(c.english)) << label;
  EXPECT_EQ(utf8(coatColourName(deriveExpressed(ru), Language::Russian)), utf8(c.russian)) << label;
  const bool unnamed = c.english == kUnnamedEn;
  EXPECT_EQ(en.expressed[UnnamedMarker], unnamed) << label;
  EXPECT_EQ(ru.expressed[UnnamedMarker], unnamed) << label;
}

// The worked examples breeders check the namer with.
TEST(CoatColourName, WorkedExamples) {
  const std::vector<NamingCase> cases = {
      {animal({}), U"SH Golden", U"золотистый КШ"},
      {animal({{a, 2}, {u, 1}}), U"SH Black", U"черный КШ"},
      {animal({{dg, 2}, {u, 1}}), U"SH Umbrous Dark Grey", U"темно-серый копченый КШ"},
      {animal({{e, 2}, {u, 1}}), U"SH Sable", U"соболь КШ"},
      {animal({{u, 1}, {ba, 1}, {sa, 1}}), U"SH Umbrous Golden Banded Satin",
       U"золотистый копченый с поясом атласный КШ"},
      // The whites drop the pattern but keep satin and coat length.
      {animal({{e, 2}, {sg, 2}, {ba, 1}, {sa, 2}, {l, 2}}), U"LH BE White Double Satin",
       U"белый ЧГ двойной атласный ДШ"},
      // Umbrous keeps Cream and homozygous Silver Grey from being white.
      {animal({{e, 2}, {sg, 2}, {u, 1}}), U"SH Silver Sable", U"cеребристый соболь КШ"},
      // Two Ivories that look alike in Russian but differ in the first letter.
      {animal({{e, 2}, {sg, 1}}), U"SH BE Ivory", U"слоновая кость ЧГ КШ"},
      {animal({{e, 2}, {dg, 2}}), U"SH Ivory BE", U"cлоновая кость ЧГ КШ"},
      {animal({{e, 2}, {sg, 2}, {p, 2}}), U"SH FE White", U"белый СУ КШ"},
      {animal({{cd, 2}, {rd, 2}, {ds, 1}, {u, 1}}), U"SH DE/FE White", U"белый ТУ/СУ КШ"},
      {animal({{to, 1}}), U"SH Golden Tortoiseshell", U"золотистый черепаховый КШ"},
      {animal({{to, 1}, {ds, 1}}), U"SH Golden Tri-Color", U"золотистый черепаховый с белым КШ"},
      // One Yellow allele is not expressed, so Yellow does not bring Umbrous out.
      {animal({{a, 2}, {u, 1}, {to, 1}}), U"SH Black Tortoiseshell", U"черный черепаховый КШ"},
      {animal({{a, 2}, {u, 1}, {to, 2}}), U"SH Umbrous Yellow Black",
       U"желтый с черным копченый КШ"},
      {animal({{a, 2}, {to, 2}, {dg, 2}, {u, 1}}), U"SH Umbrous Black Pearl",
       U"черный жемчуг копченый КШ"},
      {animal({{rd, 2}, {ba, 1}, {ds, 1}}), U"SH Golden Recessive Dappled",
       U"золотистый пестрый КШ"},
      {animal({{ba, 1}, {ds, 1}, {sa, 1}}), U"SH Golden Dominant Spot Banded Satin",
       U"золотистый пятнистый с поясом атласный КШ"},
      {animal({{ba, 2}}), U"SH Golden Banded", U"золотистый с поясом КШ"},
      {animal({{ds, 1}}), U"SH Golden Dominant Spot", U"золотистый пятнистый КШ"},
      {animal({{to, 1}, {rd, 2}}), U"SH Golden Tri-Color", U"золотистый черепаховый с белым КШ"},
      {animal({{to, 1}, {ba, 1}, {l, 2}}), U"LH Golden Tri-Color",
       U"золотистый черепаховый с белым ДШ"},
      // Lethal: the text alone, whatever else the animal has.
      {animal({{lg, 2}, {l, 2}, {sa, 1}}), kLethalEn, kLethalRu},
      {animal({{ds, 2}, {e, 2}, {u, 1}, {l, 2}, {sa, 2}, {to, 1}}), kLethalEn, kLethalRu},
      {animal({{ds, 2}, {cd, 2}}), kLethalEn, kLethalRu},
      // Unnamed: the text alone, and the marker set.
      {animal({{p, 2}, {lg, 1}, {sg, 1}, {l, 2}}), kUnnamedEn, kUnnamedRu},
      {animal({{dg, 2}, {lg, 1}, {sa, 2}, {u, 1}, {to, 1}}), kUnnamedEn, kUnnamedRu},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    expectNames(cases[i], "case " + std::to_string(i));
  }
}

// One animal per row of the colour chart, the simplest that reaches it.
struct RowCase {
  int row;
  Genotype genotype;
  std::u32string_view english;
  std::u32string_view russian;
};

TEST(CoatColourName, EveryRowOfTheChart) {
  const std::vector<RowCase> rows = {
      {1, animal({{lg, 2}}), kLethalEn, kLethalRu},
      {2, animal({{cd, 2}, {p, 2}}), U"SH FE White", U"белый СУ КШ"},
      {3, animal({{cd, 2}, {ba, 1}}), U"SH DE/FE White", U"белый ТУ/СУ КШ"},
      {4, animal({{cd, 2}}), U"SH DE White", U"белый ТУ КШ"},
      {5, animal({{sg, 2}, {e, 2}, {p, 2}}), U"SH FE White", U"белый СУ КШ"},
      {6, animal({{sg, 2}, {e, 2}}), U"SH BE White", U"белый ЧГ КШ"},
      {7, animal({{p, 2}, {e, 2}, {dg, 2}, {u, 1}, {lg, 1}}), kUnnamedEn, kUnnamedRu},
      {8, animal({{p, 2}, {e, 2}, {dg, 2}, {u, 1}}), U"SH Blue Mink", U"голубая норка КШ"},
      {9, animal({{p, 2}, {e, 2}, {dg, 2}, {sg, 1}}), U"SH Ivory RE", U"слоновая кость КГ КШ"},
      {10, animal({{p, 2}, {e, 2}, {u, 1}, {sg, 1}}), kUnnamedEn, kUnnamedRu},
      {11, animal({{p, 2}, {e, 2}, {u, 1}}), U"SH Mink", U"норка КШ"},
      {12, animal({{p, 2}, {e, 2}, {lg, 1}}), U"SH Ivory RE", U"слоновая кость КГ КШ"},
      {13, animal({{p, 2}, {e, 2}}), U"SH Cream RE", U"кремовый КГ КШ"},
      {14, animal({{p, 2}, {dg, 2}, {a, 2}}), kUnnamedEn, kUnnamedRu},
      {15, animal({{p, 2}, {dg, 2}, {to, 2}}), U"SH Lilac Pearl", U"сиреневый жемчуг КШ"},
      {16, animal({{p, 2}, {dg, 2}}), U"SH Lilac", U"сиреневый КШ"},
      {17, animal({{p, 2}, {a, 2}, {sg, 1}}), kUnnamedEn, kUnnamedRu},
      {18, animal({{p, 2}, {a, 2}, {to, 2}}), U"SH Honey Black", U"медовый с черным КШ"},
      {19, animal({{p, 2}, {a, 2}}), U"SH Dove", U"сизый КШ"},
      {20, animal({{p, 2}, {to, 2}, {lg, 1}}), kUnnamedEn, kUnnamedRu},
      {21, animal({{p, 2}, {to, 2}}), U"SH Honey", U"медовый КШ"},
      {22, animal({{p, 2}, {sg, 1}, {lg, 1}}), kUnnamedEn, kUnnamedRu},
      {23, animal({{p, 2}, {sg, 1}}), U"SH Silver Blonde", U"блондин на серебре КШ"},
      {24, animal({{p, 2}, {lg, 1}}), U"SH Blonde", U"блондин КШ"},
      {25, animal({{p, 2}}), U"SH Cinnamon", U"коричный КШ"},
      {26, animal({{e, 2}, {dg, 2}, {u, 1}, {sg, 1}}), kUnnamedEn, kUnnamedRu},
      {27, animal({{e, 2}, {dg, 2}, {u, 1}}), U"SH Dark Grey Sable", U"Темно-серый соболь КШ"},
      {28, animal({{e, 2}, {dg, 2}}), U"SH Ivory BE", U"cлоновая кость ЧГ КШ"},
      {29, animal({{e, 2}, {u, 1}, {lg, 1}, {sg, 1}}), kUnnamedEn, kUnnamedRu},
      {30, animal({{e, 2}, {u, 1}, {lg, 1}}), U"SH Light Grey Sable", U"cветло-серый соболь КШ"},
      {31, animal({{e, 2}, {u, 1}, {sg, 1}}), U"SH Silver Sable", U"cеребристый соболь КШ"},
      {32, animal({{e, 2}, {u, 1}}), U"SH Sable", U"соболь КШ"},
      {33, animal({{e, 2}, {lg, 1}}), U"SH BE Ivory", U"слоновая кость ЧГ КШ"},
      {34, animal({{e, 2}}), U"SH BE Cream", U"кремовый ЧГ КШ"},
      {35, animal({{a, 2}, {to, 2}, {lg, 1}}), U"SH Black Pearl", U"черный жемчуг КШ"},
      {36, animal({{a, 2}, {to, 2}}), U"SH Yellow Black", U"желтый с черным КШ"},
      {37, animal({{a, 2}, {dg, 2}}), kUnnamedEn, kUnnamedRu},
      {38, animal({{a, 2}, {sg, 1}}), U"SH Silver Black", U"черный на серебре КШ"},
      {39, animal({{a, 2}}), U"SH Black", U"черный КШ"},
      {40, animal({{dg, 2}, {sg, 1}}), kUnnamedEn, kUnnamedRu},
      {41, animal({{dg, 2}, {to, 2}}), U"SH Smoke Pearl", U"дымчатый жемчуг КШ"},
      {42, animal({{dg, 2}}), U"SH Dark Grey", U"темно-серый КШ"},
      {43, animal({{lg, 1}, {sg, 1}}), kUnnamedEn, kUnnamedRu},
      {44, animal({{lg, 1}, {to, 2}}), U"SH Light Grey Pearl", U"светло-серый жемчуг КШ"},
      {45, animal({{lg, 1}}), U"SH Light Grey", U"светло-серый КШ"},
      {46, animal({{to, 2}, {sg, 1}}), U"SH Silver Pearl", U"серебристый жемчуг КШ"},
      {47, animal({{to, 2}}), U"SH Yellow", U"желтый КШ"},
      {48, animal({{sg, 1}}), U"SH Silver Grey", U"серебристый КШ"},
      {49, animal({}), U"SH Golden", U"золотистый КШ"},
  };
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(ColourRuleCount));
  for (const RowCase& c : rows) {
    const std::string label = "row " + std::to_string(c.row);
    Genotype g = c.genotype;
    EXPECT_EQ(colourRuleRow(deriveExpressed(g)), c.row) << label;
    expectNames({c.genotype, c.english, c.russian}, label);
  }
}

TEST(CoatColourName, RussianNamesKeepTheirLatinFirstLetter) {
  // The three names whose first letter is the Latin c, and their look-alike.
  EXPECT_EQ(baseColourText(BaseColour::IvoryBe, Language::Russian)[0], U'c');
  EXPECT_EQ(baseColourText(BaseColour::LightGreySable, Language::Russian)[0], U'c');
  EXPECT_EQ(baseColourText(BaseColour::SilverSable, Language::Russian)[0], U'c');
  EXPECT_EQ(baseColourText(BaseColour::BeIvory, Language::Russian)[0], U'\u0441');
  EXPECT_NE(baseColourText(BaseColour::IvoryBe, Language::Russian),
            baseColourText(BaseColour::BeIvory, Language::Russian));
  // No other Russian name has a Latin letter.
  for (int i = 0; i < BaseColourCount; ++i) {
    const auto colour = static_cast<BaseColour>(i);
    std::u32string_view name = baseColourText(colour, Language::Russian);
    if (colour == BaseColour::IvoryBe || colour == BaseColour::LightGreySable ||
        colour == BaseColour::SilverSable) {
      name.remove_prefix(1);
    }
    for (char32_t c : name) {
      EXPECT_FALSE((c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z')) << utf8(name);
    }
  }
}

TEST(CoatColourName, AppendKeepsWhatIsAlreadyThere) {
  Genotype g = animal({{e, 2}});
  std::u32string out = U"Male: ";
  appendColourName(decideColourName(deriveExpressed(g)), Language::English, out);
  EXPECT_EQ(utf8(out), "Male: SH BE Cream");
}

// The chart read as the breeders' decision tree, written independently of the
// table: both must pick the same row for every genotype.
int decisionTreeRow(const Genotype& g) {
  const auto& x = g.expressed;
  if (g.alleleCount[ds] == 2 || g.alleleCount[lg] == 2) {
    return 1;
  }
  if (x[cd]) {
    if (x[p]) {
      return 2;
    }
    return x[ba] || x[rd] || x[ds] ? 3 : 4;
  }
  if (g.alleleCount[sg] == 2 && x[e] && !x[u]) {
    return x[p] ? 5 : 6;
  }
  const bool grey = x[lg] || x[sg];
  if (x[p] && x[e]) {
    if (x[dg]) {
      if (x[u]) {
        return grey ? 7 : 8;
      }
      return 9;
    }
    if (x[u]) {
      return grey ? 10 : 11;
    }
    return grey ? 12 : 13;
  }
  if (x[p]) {
    if (x[dg]) {
      if (grey || x[a]) {
        return 14;
      }
      return x[to] ? 15 : 16;
    }
    if (x[a]) {
      if (grey) {
        return 17;
      }
      return x[to] ? 18 : 19;
    }
    if (x[to]) {
      return grey ? 20 : 21;
    }
    if (x[sg]) {
      return x[lg] ? 22 : 23;
    }
    if (x[lg]) {
      return 24;
    }
    return 25;
  }
  if (x[e]) {
    if (x[dg]) {
      if (x[u]) {
        return grey ? 26 : 27;
      }
      return 28;
    }
    if (x[u]) {
      if (x[lg] && x[sg]) {
        return 29;
      }
      if (x[lg]) {
        return 30;
      }
      if (x[sg]) {
        return 31;
      }
      return 32;
    }
    return grey ? 33 : 34;
  }
  if (x[a]) {
    if (x[to]) {
      return x[dg] || x[lg] || x[sg] ? 35 : 36;
    }
    if (x[dg] || x[lg]) {
      return 37;
    }
    return x[sg] ? 38 : 39;
  }
  if (x[dg]) {
    if (grey) {
      return 40;
    }
    return x[to] ? 41 : 42;
  }
  if (x[lg]) {
    if (x[sg]) {
      return 43;
    }
    return x[to] ? 44 : 45;
  }
  if (x[to]) {
    return x[sg] ? 46 : 47;
  }
  if (x[sg]) {
    return 48;
  }
  return 49;
}

TEST(CoatColourNameProperty, ChartAgreesWithTheDecisionTree) {
  std::vector<int> hits(ColourRuleCount + 1, 0);
  testing::forEachCountCombination([&](Genotype& g) {
    deriveExpressed(g);
    const int row = colourRuleRow(g);
    ASSERT_EQ(row, decisionTreeRow(g)) << ::testing::PrintToString(g.alleleCount);
    ++hits[row];
  });
  // Every row is reachable.
  for (int row = 1; row <= ColourRuleCount; ++row) {
    EXPECT_GT(hits[row], 0) << "row " << row;
  }
}

TEST(CoatColourNameProperty, EveryGenotypeIsNamedTheSameWayInBothLanguages) {
  const std::u32string lethal_en(kLethalEn);
  testing::forEachCountCombination([&](Genotype& g) {
    deriveExpressed(g);
    const BaseColour base = colourOfRow(colourRuleRow(g));
    Genotype ru = g;
    const std::u32string en_name = coatColourName(g, Language::English);
    const std::u32string ru_name = coatColourName(ru, Language::Russian);
    ASSERT_FALSE(en_name.empty());
    ASSERT_FALSE(ru_name.empty());
    // Both languages name the colour of the same row of the chart.
    ASSERT_NE(en_name.find(baseColourText(base, Language::English)), std::u32string::npos)
        << utf8(en_name);
    ASSERT_NE(ru_name.find(baseColourText(base, Language::Russian)), std::u32string::npos)
        << utf8(ru_name);
    // The marker is set exactly when the name is the unnamed text.
    ASSERT_EQ(g.expressed[UnnamedMarker], en_name == kUnnamedEn) << utf8(en_name);
    ASSERT_EQ(ru.expressed[UnnamedMarker], ru_name == kUnnamedRu) << utf8(ru_name);
    // The lethal text stands alone.
    const bool lethal = g.alleleCount[ds] == 2 || g.alleleCount[lg] == 2;
    ASSERT_EQ(en_name == lethal_en, lethal) << utf8(en_name);
    ASSERT_EQ(ru_name == kLethalRu, lethal) << utf8(ru_name);
  });
}

}  // namespace
}  // namespace quorvale
