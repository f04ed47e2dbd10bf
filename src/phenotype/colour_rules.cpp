#include "phenotype/colour_rules.h"

#include <cstdint>
#include <initializer_list>

namespace quorvale {

namespace {

// The chart is written in the breeder's gene symbols.
using namespace gene;

// Two facts that the chart needs besides which genes show. They get the
// bits above the fourteen genes, so that every condition of a row is a test
// on one bit set.
constexpr int kLethalPair = GeneCount;            // two Dominant Spot or two Light Grey alleles
constexpr int kSilverCreamWhite = GeneCount + 1;  // isSilverCreamWhite

// A set of genes (and of the two facts above), one bit each.
struct GeneSet {
  std::uint16_t bits = 0;
  static_assert(kSilverCreamWhite < 16, "every gene and both facts have a bit");

  constexpr GeneSet() = default;
  constexpr GeneSet(std::initializer_list<int> members) {
    for (int m : members) {
      bits = static_cast<std::uint16_t>(bits | (1U << m));
    }
  }
};

// "grey" in the chart: Light Grey or Silver Grey.
constexpr GeneSet kGrey = {lg, sg};

// One row of the colour chart. A row applies when everything in `all`
// holds and at least one member of `any_of` holds (when it is not empty).
// The chart is read from the top and the first row that applies wins, so
// each row also assumes that no earlier row applied: that is how the chart
// says "not", as row 8 (Blue Mink) says "not grey" after row 7.
struct ColourRule {
  int row;
  GeneSet all;
  GeneSet any_of;
  BaseColour colour;
};

// clang-format off
constexpr ColourRule kColourChart[ColourRuleCount] = {
    // row, all of, any of, colour
    {1, {kLethalPair}, {}, BaseColour::Lethal},
    {2, {cd, p}, {}, BaseColour::FeWhite},
    {3, {cd}, {ba, rd, ds}, BaseColour::DeFeWhite},
    {4, {cd}, {}, BaseColour::DeWhite},
    {5, {kSilverCreamWhite, p}, {}, BaseColour::FeWhite},
    {6, {kSilverCreamWhite}, {}, BaseColour::BeWhite},
    {7, {p, e, dg, u}, kGrey, BaseColour::Unnamed},
    {8, {p, e, dg, u}, {}, BaseColour::BlueMink},
    {9, {p, e, dg}, {}, BaseColour::IvoryRe},
    {10, {p, e, u}, kGrey, BaseColour::Unnamed},
    {11, {p, e, u}, {}, BaseColour::Mink},
    {12, {p, e}, kGrey, BaseColour::IvoryRe},
    {13, {p, e}, {}, BaseColour::CreamRe},
    {14, {p, dg}, {lg, sg, a}, BaseColour::Unnamed},
    {15, {p, dg, to}, {}, BaseColour::LilacPearl},
    {16, {p, dg}, {}, BaseColour::Lilac},
    {17, {p, a}, kGrey, BaseColour::Unnamed},
    {18, {p, a, to}, {}, BaseColour::HoneyBlack},
    {19, {p, a}, {}, BaseColour::Dove},
    {20, {p, to}, kGrey, BaseColour::Unnamed},
    {21, {p, to}, {}, BaseColour::Honey},
    {22, {p, sg, lg}, {}, BaseColour::Unnamed},
    {23, {p, sg}, {}, BaseColour::SilverBlonde},
    {24, {p, lg}, {}, BaseColour::Blonde},
    {25, {p}, {}, BaseColour::Cinnamon},
    {26, {e, dg, u}, kGrey, BaseColour::Unnamed},
    {27, {e, dg, u}, {}, BaseColour::DarkGreySable},
    {28, {e, dg}, {}, BaseColour::IvoryBe},
    {29, {e, u, lg, sg}, {}, BaseColour::Unnamed},
    {30, {e, u, lg}, {}, BaseColour::LightGreySable},
    {31, {e, u, sg}, {}, BaseColour::SilverSable},
    {32, {e, u}, {}, BaseColour::Sable},
    {33, {e}, kGrey, BaseColour::BeIvory},
    {34, {e}, {}, BaseColour::BeCream},
    {35, {a, to}, {dg, lg, sg}, BaseColour::BlackPearl},
    {36, {a, to}, {}, BaseColour::YellowBlack},
    {37, {a}, {dg, lg}, BaseColour::Unnamed},
    {38, {a, sg}, {}, BaseColour::SilverBlack},
    {39, {a}, {}, BaseColour::Black},
    {40, {dg}, kGrey, BaseColour::Unnamed},
    {41, {dg, to}, {}, BaseColour::SmokePearl},
    {42, {dg}, {}, BaseColour::DarkGrey},
    {43, {lg, sg}, {}, BaseColour::Unnamed},
    {44, {lg, to}, {}, BaseColour::LightGreyPearl},
    {45, {lg}, {}, BaseColour::LightGrey},
    {46, {to, sg}, {}, BaseColour::SilverPearl},
    {47, {to}, {}, BaseColour::Yellow},
    {48, {sg}, {}, BaseColour::SilverGrey},
    {49, {}, {}, BaseColour::Golden},
};
// clang-format on

constexpr bool rowsAreNumberedInOrder() {
  for (int i = 0; i < ColourRuleCount; ++i) {
    if (kColourChart[i].row != i + 1) {
      return false;
    }
  }
  return true;
}
static_assert(rowsAreNumberedInOrder(), "the chart's rows are numbered 1, 2, 3, ...");

// The kind of coat each base colour makes (see CoatKind).
constexpr CoatKind coatKind(BaseColour colour) {
  switch (colour) {
    case BaseColour::Lethal:
      return CoatKind::Lethal;
    case BaseColour::Unnamed:
      return CoatKind::Unnamed;
    case BaseColour::FeWhite:
    case BaseColour::DeFeWhite:
    case BaseColour::DeWhite:
    case BaseColour::BeWhite:
      return CoatKind::White;
    default:
      return CoatKind::Coloured;
  }
}

// The carrier line tells the two whites apart by DE White alone, so every
// white row is a DE White row or a silver-grey white row, and the lethal
// row, which comes first, is the only lethal one.
constexpr bool whitesAreRowsTwoToSix() {
  for (const ColourRule& rule : kColourChart) {
    const bool white_row = rule.row >= 2 && rule.row <= 6;
    if ((coatKind(rule.colour) == CoatKind::White) != white_row ||
        (coatKind(rule.colour) == CoatKind::Lethal) != (rule.row == 1)) {
      return false;
    }
  }
  return true;
}
static_assert(whitesAreRowsTwoToSix(), "rows 1 to 6 are the lethal row and the whites");
static_assert(kColourChart[ColourRuleCount - 1].all.bits == 0 &&
                  kColourChart[ColourRuleCount - 1].any_of.bits == 0,
              "the last row catches every genotype");

// Rows by Language (English, Russian), columns by BaseColour. Three Russian
// names begin with the Latin letter c (U+0063), not the Cyrillic one: Ivory
// BE, Light Grey Sable and Silver Sable. They are kept so, since they are
// part of the names breeders see and they sort apart from the Cyrillic ones.
constexpr std::u32string_view kBaseColourNames[LanguageCount][BaseColourCount] = {
    {
        U"Lethal combination of genes",  // Lethal
        U"FE White",                     // FeWhite
        U"DE/FE White",                  // DeFeWhite
        U"DE White",                     // DeWhite
        U"BE White",                     // BeWhite
        U"Unnamed composite color",      // Unnamed
        U"Blue Mink",                    // BlueMink
        U"Ivory RE",                     // IvoryRe
        U"Mink",                         // Mink
        U"Cream RE",                     // CreamRe
        U"Lilac Pearl",                  // LilacPearl
        U"Lilac",                        // Lilac
        U"Honey Black",                  // HoneyBlack
        U"Dove",                         // Dove
        U"Honey",                        // Honey
        U"Silver Blonde",                // SilverBlonde
        U"Blonde",                       // Blonde
        U"Cinnamon",                     // Cinnamon
        U"Dark Grey Sable",              // DarkGreySable
        U"Ivory BE",                     // IvoryBe
        U"Light Grey Sable",             // LightGreySable
        U"Silver Sable",                 // SilverSable
        U"Sable",                        // Sable
        U"BE Ivory",                     // BeIvory
        U"BE Cream",                     // BeCream
        U"Black Pearl",                  // BlackPearl
        U"Yellow Black",                 // YellowBlack
        U"Silver Black",                 // SilverBlack
        U"Black",                        // Black
        U"Smoke Pearl",                  // SmokePearl
        U"Dark Grey",                    // DarkGrey
        U"Light Grey Pearl",             // LightGreyPearl
        U"Light Grey",                   // LightGrey
        U"Silver Pearl",                 // SilverPearl
        U"Yellow",                       // Yellow
        U"Silver Grey",                  // SilverGrey
        U"Golden",                       // Golden
    },
    {
        U"нежизнеспособное сочетание ген",      // Lethal
        U"белый СУ",                            // FeWhite
        U"белый ТУ/СУ",                         // DeFeWhite
        U"белый ТУ",                            // DeWhite
        U"белый ЧГ",                            // BeWhite
        U"комбинированный окрас без названия",  // Unnamed
        U"голубая норка",                       // BlueMink
        U"слоновая кость КГ",                   // IvoryRe
        U"норка",                               // Mink
        U"кремовый КГ",                         // CreamRe
        U"сиреневый жемчуг",                    // LilacPearl
        U"сиреневый",                           // Lilac
        U"медовый с черным",                    // HoneyBlack
        U"сизый",                               // Dove
        U"медовый",                             // Honey
        U"блондин на серебре",                  // SilverBlonde
        U"блондин",                             // Blonde
        U"коричный",                            // Cinnamon
        U"Темно-серый соболь",                  // DarkGreySable
        U"cлоновая кость ЧГ",                   // IvoryBe
        U"cветло-серый соболь",                 // LightGreySable
        U"cеребристый соболь",                  // SilverSable
        U"соболь",                              // Sable
        U"слоновая кость ЧГ",                   // BeIvory
        U"кремовый ЧГ",                         // BeCream
        U"черный жемчуг",                       // BlackPearl
        U"желтый с черным",                     // YellowBlack
        U"черный на серебре",                   // SilverBlack
        U"черный",                              // Black
        U"дымчатый жемчуг",                     // SmokePearl
        U"темно-серый",                         // DarkGrey
        U"светло-серый жемчуг",                 // LightGreyPearl
        U"светло-серый",                        // LightGrey
        U"серебристый жемчуг",                  // SilverPearl
        U"желтый",                              // Yellow
        U"серебристый",                         // SilverGrey
        U"золотистый",                          // Golden
    },
};

bool holds(const ColourRule& rule, std::uint32_t facts) {
  return (facts & rule.all.bits) == rule.all.bits &&
         (rule.any_of.bits == 0 || (facts & rule.any_of.bits) != 0);
}

}  // namespace

int colourRuleRow(const Genotype& g) {
  std::uint32_t facts = 0;
  for (GeneIndex i = 0; i < GeneCount; ++i) {
    facts |= std::uint32_t{g.expressed[i]} << i;
  }
  facts |= std::uint32_t{g.alleleCount[ds] == 2 || g.alleleCount[lg] == 2} << kLethalPair;
  facts |= std::uint32_t{isSilverCreamWhite(g)} << kSilverCreamWhite;
  for (const ColourRule& rule : kColourChart) {
    if (holds(rule, facts)) {
      return rule.row;
    }
  }
  return ColourRuleCount;  // not reached: the last row has no condition
}

BaseColour colourOfRow(int row) { return kColourChart[row - 1].colour; }

CoatClass classifyCoat(const Genotype& g) {
  const BaseColour base = colourOfRow(colourRuleRow(g));
  return {base, coatKind(base)};
}

CoatKind coatKindOf(BaseColour colour) { return coatKind(colour); }

std::u32string_view baseColourText(BaseColour colour, Language language) {
  return kBaseColourNames[static_cast<int>(language)][static_cast<int>(colour)];
}

}  // namespace quorvale
