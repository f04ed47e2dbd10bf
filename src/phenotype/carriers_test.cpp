#include "phenotype/carriers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "phenotype/animal.h"
#include "phenotype/colour_rules.h"
#include "phenotype/description.h"
#include "testing/test_support.h"

namespace quorvale {
namespace {

using namespace gene;
using testing::animal;
using testing::utf8;

struct CarrierCase {
  Genotype genotype;
  std::u32string_view colour;  // English, for orientation
  std::u32string_view english;
  std::u32string_view russian;
};

TEST(DescribeCarriedGenes, WorkedExamples) {
  const std::vector<CarrierCase> cases = {
      {animal({}), U"SH Golden", U"", U""},
      {animal({{e, 1}, {p, 1}}), U"SH Golden", U"carries genes of Cream and Cinnamon",
       U"носит гены кремового и коричного"},
      {animal({{e, 1}, {dg, 1}, {l, 1}}), U"SH Golden",
       U"carries genes of Cream, Dark Grey and Long Hair",
       U"носит гены кремового, темно-серого и длинношерстного"},
      {animal({{a, 1}, {cd, 1}, {rd, 1}, {l, 1}}), U"SH Golden",
       U"carries genes of Black, DE White, Recessive Dappled and Long Hair",
       U"носит гены черного, белого ТУ, пестрого и длинношерстного"},
      {animal({{a, 2}, {u, 1}}), U"SH Black", U"hidden Umbrous", U"перекрыто проявление копченого"},
      // Yellow or Cinnamon bring Umbrous out on a black.
      {animal({{a, 2}, {u, 1}, {to, 2}}), U"SH Umbrous Yellow Black", U"", U""},
      {animal({{a, 2}, {u, 1}, {p, 2}}), U"SH Umbrous Dove", U"", U""},
      {animal({{a, 2}, {u, 1}, {e, 1}}), U"SH Black", U"hidden Umbrous, carries genes of Cream",
       U"перекрыто проявление копченого, носит гены кремового"},
      {animal({{e, 2}, {a, 2}}), U"SH BE Cream", U"hidden Black", U"перекрыто проявление черного"},
      {animal({{e, 2}, {to, 2}, {u, 1}}), U"SH Sable", U"hidden Yellow",
       U"перекрыто проявление желтого"},
      // Under Cream, Umbrous makes the sables, even with Black hidden.
      {animal({{e, 2}, {a, 2}, {u, 1}}), U"SH Sable", U"hidden Black",
       U"перекрыто проявление черного"},
      {animal({{e, 2}, {a, 2}, {u, 1}, {lg, 1}}), U"SH Light Grey Sable", U"hidden Black",
       U"перекрыто проявление черного"},
      {animal({{cd, 2}, {a, 2}, {u, 1}, {p, 1}}), U"SH DE White",
       U"hidden Black and Umbrous, carries genes of Cinnamon",
       U"перекрыто проявление черного и копченого, носит гены коричного"},
      // Cinnamon shows in the name of a DE white, not in that of a silver-grey white.
      {animal({{cd, 2}, {p, 2}}), U"SH FE White", U"", U""},
      {animal({{e, 2}, {sg, 2}, {p, 2}}), U"SH FE White", U"hidden Cinnamon",
       U"перекрыто проявление коричного"},
      {animal({{e, 2}, {sg, 2}, {dg, 2}, {a, 2}, {rd, 2}}), U"SH BE White",
       U"hidden Dark Grey, Black and Recessive Dappled",
       U"перекрыто проявление темно-серого, черного и пестрого"},
      {animal({{cd, 2}, {e, 2}, {rd, 2}, {ba, 1}, {ds, 1}, {u, 1}, {sa, 1}, {l, 2}}),
       U"LH DE/FE White Satin",
       U"hidden Cream, Recessive Dappled, Umbrous, Banded and Dominant Spot",
       U"перекрыто проявление кремового, пестрого, копченого, белого пояса и пятнистого"},
      {animal({{rd, 2}, {ba, 1}}), U"SH Golden Recessive Dappled", U"hidden Banded",
       U"перекрыто проявление белого пояса"},
      {animal({{rd, 2}, {ba, 1}, {to, 1}}), U"SH Golden Tri-Color", U"", U""},
      // Unnamed and lethal colours get no carrier line at all.
      {animal({{p, 2}, {lg, 1}, {sg, 1}, {e, 1}}), U"Unnamed composite color", U"", U""},
      {animal({{lg, 2}, {a, 1}}), U"Lethal combination of genes", U"", U""},
      {animal({{ds, 2}, {e, 2}, {a, 2}}), U"Lethal combination of genes", U"", U""},
      // Dominant genes and Yellow are never "carried".
      {animal({{u, 1}, {sg, 1}, {to, 1}, {e, 1}}, Sex::Female),
       U"SH Umbrous Silver Grey Tortoiseshell", U"carries genes of Cream", U"носит гены кремового"},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const CarrierCase& c = cases[i];
    const AnimalLines en = describeAnimal(c.genotype, false, false, Language::English);
    EXPECT_EQ(utf8(en.description), utf8(c.colour)) << "case " << i;
    EXPECT_EQ(utf8(en.carrier_line), utf8(c.english)) << "case " << i;
    const AnimalLines ru = describeAnimal(c.genotype, true, true, Language::Russian);
    EXPECT_EQ(utf8(ru.carrier_line), utf8(c.russian)) << "case " << i;
  }
}

// Over every genotype: unnamed and lethal colours say nothing, and no line
// ends in a separator or holds a line end.
TEST(DescribeCarriedGenesProperty, WellFormedAndSilentForUnnamedAndLethal) {
  testing::forEachCountCombination([](Genotype& g) {
    const std::u32string colour = describePhenotype(g, false, false, Language::English);
    const std::u32string line =
        carriedGenesText(decideCarriedGenes(g, classifyCoat(g)), Language::English);
    const bool lethal = g.alleleCount[ds] == 2 || g.alleleCount[lg] == 2;
    if (lethal || g.expressed[UnnamedMarker]) {
      ASSERT_TRUE(line.empty()) << utf8(colour) << " / " << utf8(line);
      return;
    }
    if (line.empty()) {
      return;
    }
    ASSERT_EQ(line.find(U'\n'), std::u32string::npos) << utf8(line);
    ASSERT_TRUE(line.starts_with(U"hidden ") || line.starts_with(U"carries genes of "))
        << utf8(line);
    ASSERT_FALSE(line.ends_with(U" ") || line.ends_with(U",")) << utf8(line);
  });
}

}  // namespace
}  // namespace quorvale
