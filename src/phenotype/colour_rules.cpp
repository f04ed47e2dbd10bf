#include "phenotype/colour_rules.h"

#include <cstdint>
#include <initializer_list>

namespace quorvale {

namespace {

// The chart is written in the breeder's gene symbols.
using namespace gene;

// A set of genes, one bit per GeneIndex.
struct GeneSet {
  std::uint16_t bits = 0;

  constexpr GeneSet() = default;
  constexpr GeneSet(std::initializer_list<GeneIndex> genes) {
    for (GeneIndex g : genes) bits = static_cast<std::uint16_t>(bits | (1U << g));
  }
};

// "grey" in the chart: Light Grey or Silver Grey.
constexpr GeneSet kGrey = {lg, sg};

// Conditions that are not about which genes show.
enum class Condition : std::uint8_t {
  Plain,                 // nothing beyond the gene sets
  Lethal,                // two Dominant Spot alleles or two Light Grey alleles
  HomozygousSilverGrey,  // two Silver Grey alleles
};

// One row of the colour chart. A row applies when every gene of `all`
// shows, at least one gene of `any_of` shows (when it is not empty), no gene
// of `none` shows and the special condition holds. The chart is read from
// the top and the first row that applies wins, so each row also assumes that
// no earlier row applied.
struct ColourRule {
  int row;
  GeneSet all;
  GeneSet any_of;
  GeneSet none;
  Condition condition;
  BaseColour colour;
};

// clang-format off
constexpr ColourRule kColourChart[ColourRuleCount] = {
    // row, all of, any of, none of, condition, colour
    {1, {}, {}, {}, Condition::Lethal, BaseColour::Lethal},
    {2, {cd, p}, {}, {}, Condition::Plain, BaseColour::FeWhite},
    {3, {cd}, {ba, rd, ds}, {}, Condition::Plain, BaseColour::DeFeWhite},
    {4, {cd}, {}, {}, Condition::Plain, BaseColour::DeWhite},
    {5, {e, p}, {}, {u}, Condition::HomozygousSilverGrey, BaseColour::FeWhite},
    {6, {e}, {}, {u}, Condition::HomozygousSilverGrey, BaseColour::BeWhite},
    {7, {p, e, dg, u}, kGrey, {}, Condition::Plain, BaseColour::Unnamed},
    {8, {p, e, dg, u}, {}, {}, Condition::Plain, BaseColour::BlueMink},
    {9, {p, e, dg}, {}, {}, Condition::Plain, BaseColour::IvoryRe},
    {10, {p, e, u}, kGrey, {}, Condition::Plain, BaseColour::Unnamed},
    {11, {p, e, u}, {}, {}, Condition::Plain, BaseColour::Mink},
    {12, {p, e}, kGrey, {}, Condition::Plain, BaseColour::IvoryRe},
    {13, {p, e}, {}, {}, Condition::Plain, BaseColour::CreamRe},
    {14, {p, dg}, {lg, sg, a}, {}, Condition::Plain, BaseColour::Unnamed},
    {15, {p, dg, to}, {}, {}, Condition::Plain, BaseColour::LilacPearl},
    {16, {p, dg}, {}, {}, Condition::Plain, BaseColour::Lilac},
    {17, {p, a}, kGrey, {}, Condition::Plain, BaseColour::Unnamed},
    {18, {p, a, to}, {}, {}, Condition::Plain, BaseColour::HoneyBlack},
    {19, {p, a}, {}, {}, Condition::Plain, BaseColour::Dove},
    {20, {p, to}, kGrey, {}, Condition::Plain, BaseColour::Unnamed},
    {21, {p, to}, {}, {}, Condition::Plain, BaseColour::Honey},
    {22, {p, sg, lg}, {}, {}, Condition::Plain, BaseColour::Unnamed},
    {23, {p, sg}, {}, {}, Condition::Plain, BaseColour::SilverBlonde},
    {24, {p, lg}, {}, {}, Condition::Plain, BaseColour::Blonde},
    {25, {p}, {}, {}, Condition::Plain, BaseColour::Cinnamon},
    {26, {e, dg, u}, kGrey, {}, Condition::Plain, BaseColour::Unnamed},
    {27, {e, dg, u}, {}, {}, Condition::Plain, BaseColour::DarkGreySable},
    {28, {e, dg}, {}, {}, Condition::Plain, BaseColour::IvoryBe},
    {29, {e, u, lg, sg}, {}, {}, Condition::Plain, BaseColour::Unnamed},
    {30, {e, u, lg}, {}, {}, Condition::Plain, BaseColour::LightGreySable},
    {31, {e, u, sg}, {}, {}, Condition::Plain, BaseColour::SilverSable},
    {32, {e, u}, {}, {}, Condition::Plain, BaseColour::Sable},
    {33, {e}, kGrey, {}, Condition::Plain, BaseColour::BeIvory},
    {34, {e}, {}, {}, Condition::Plain, BaseColour::BeCream},
    {35, {a, to}, {dg, lg, sg}, {}, Condition::Plain, BaseColour::BlackPearl},
    {36, {a, to}, {}, {}, Condition::Plain, BaseColour::YellowBlack},
    {37, {a}, {dg, lg}, {}, Condition::Plain, BaseColour::Unnamed},
    {38, {a, sg}, {}, {}, Condition::Plain, BaseColour::SilverBlack},
    {39, {a}, {}, {}, Condition::Plain, BaseColour::Black},
    {40, {dg}, kGrey, {}, Condition::Plain, BaseColour::Unnamed},
    {41, {dg, to}, {}, {}, Condition::Plain, BaseColour::SmokePearl},
    {42, {dg}, {}, {}, Condition::Plain, BaseColour::DarkGrey},
    {43, {lg, sg}, {}, {}, Condition::Plain, BaseColour::Unnamed},
    {44, {lg, to}, {}, {}, Condition::Plain, BaseColour::LightGreyPearl},
    {45, {lg}, {}, {}, Condition::Plain, BaseColour::LightGrey},
    {46, {to, sg}, {}, {}, Condition::Plain, BaseColour::SilverPearl},
    {47, {to}, {}, {}, Condition::Plain, BaseColour::Yellow},
    {48, {sg}, {}, {}, Condition::Plain, BaseColour::SilverGrey},
    {49, {}, {}, {}, Condition::Plain, BaseColour::Golden},
};
// clang-format on

constexpr bool rowsAreNumberedInOrder() {
  for (int i = 0; i < ColourRuleCount; ++i) {
    if (kColourChart[i].row != i + 1) return false;
  }
  return true;
}
static_assert(rowsAreNumberedInOrder(), "the chart's rows are numbered 1, 2, 3, ...");
static_assert(kColourChart[ColourRuleCount - 1].all.bits == 0 &&
                  kColourChart[ColourRuleCount - 1].any_of.bits == 0 &&
                  kColourChart[ColourRuleCount - 1].none.bits == 0 &&
                  kColourChart[ColourRuleCount - 1].condition == Condition::Plain,
              "the last row catches every genotype");

// By BaseColour: the English name, then the Russian one. Three Russian names
// begin with the Latin letter c (U+0063), not the Cyrillic one: Ivory BE,
// Light Grey Sable and Silver Sable. They are kept so, since they are part
// of the names breeders see and they sort apart from the Cyrillic ones.
constexpr std::u32string_view kBaseColourNames[BaseColourCount][2] = {
    {U"Lethal combination of genes", U"нежизнеспособное сочетание ген"},  // Lethal
    {U"FE White", U"белый СУ"},                                           // FeWhite
    {U"DE/FE White", U"белый ТУ/СУ"},                                     // DeFeWhite
    {U"DE White", U"белый ТУ"},                                           // DeWhite
    {U"BE White", U"белый ЧГ"},                                           // BeWhite
    {U"Unnamed composite color", U"комбинированный окрас без названия"},  // Unnamed
    {U"Blue Mink", U"голубая норка"},                                     // BlueMink
    {U"Ivory RE", U"слоновая кость КГ"},                                  // IvoryRe
    {U"Mink", U"норка"},                                                  // Mink
    {U"Cream RE", U"кремовый КГ"},                                        // CreamRe
    {U"Lilac Pearl", U"сиреневый жемчуг"},                                // LilacPearl
    {U"Lilac", U"сиреневый"},                                             // Lilac
    {U"Honey Black", U"медовый с черным"},                                // HoneyBlack
    {U"Dove", U"сизый"},                                                  // Dove
    {U"Honey", U"медовый"},                                               // Honey
    {U"Silver Blonde", U"блондин на серебре"},                            // SilverBlonde
    {U"Blonde", U"блондин"},                                              // Blonde
    {U"Cinnamon", U"коричный"},                                           // Cinnamon
    {U"Dark Grey Sable", U"Темно-серый соболь"},                          // DarkGreySable
    {U"Ivory BE", U"cлоновая кость ЧГ"},                                  // IvoryBe
    {U"Light Grey Sable", U"cветло-серый соболь"},                        // LightGreySable
    {U"Silver Sable", U"cеребристый соболь"},                             // SilverSable
    {U"Sable", U"соболь"},                                                // Sable
    {U"BE Ivory", U"слоновая кость ЧГ"},                                  // BeIvory
    {U"BE Cream", U"кремовый ЧГ"},                                        // BeCream
    {U"Black Pearl", U"черный жемчуг"},                                   // BlackPearl
    {U"Yellow Black", U"желтый с черным"},                                // YellowBlack
    {U"Silver Black", U"черный на серебре"},                              // SilverBlack
    {U"Black", U"черный"},                                                // Black
    {U"Smoke Pearl", U"дымчатый жемчуг"},                                 // SmokePearl
    {U"Dark Grey", U"темно-серый"},                                       // DarkGrey
    {U"Light Grey Pearl", U"светло-серый жемчуг"},                        // LightGreyPearl
    {U"Light Grey", U"светло-серый"},                                     // LightGrey
    {U"Silver Pearl", U"серебристый жемчуг"},                             // SilverPearl
    {U"Yellow", U"желтый"},                                               // Yellow
    {U"Silver Grey", U"серебристый"},                                     // SilverGrey
    {U"Golden", U"золотистый"},                                           // Golden
};

bool holds(const ColourRule& rule, std::uint16_t shown, const Genotype& g) {
  if ((shown & rule.all.bits) != rule.all.bits) return false;
  if (rule.any_of.bits != 0 && (shown & rule.any_of.bits) == 0) return false;
  if ((shown & rule.none.bits) != 0) return false;
  switch (rule.condition) {
    case Condition::Plain:
      return true;
    case Condition::Lethal:
      return g.alleleCount[ds] == 2 || g.alleleCount[lg] == 2;
    case Condition::HomozygousSilverGrey:
      return g.alleleCount[sg] == 2;
  }
  return false;
}

}  // namespace

int colourRuleRow(const Genotype& g) {
  std::uint16_t shown = 0;
  for (GeneIndex i = 0; i < GeneCount; ++i) {
    if (g.expressed[i]) shown = static_cast<std::uint16_t>(shown | (1U << i));
  }
  for (const ColourRule& rule : kColourChart) {
    if (holds(rule, shown, g)) return rule.row;
  }
  return ColourRuleCount;  // not reached: the last row has no condition
}

BaseColour colourOfRow(int row) { return kColourChart[row - 1].colour; }

std::u32string_view baseColourText(BaseColour colour, Language language) {
  return kBaseColourNames[static_cast<int>(colour)][static_cast<int>(language)];
}

}  // namespace quorvale
