#ifndef QUORVALE_GENETICS_GENOTYPE_H_
#define QUORVALE_GENETICS_GENOTYPE_H_

#include <array>
#include <cstdint>
#include <string_view>

namespace quorvale {

// The fourteen coat genes, addressed by their position in the gene table.
// The class of a gene follows from its index alone: 0 to 6 are recessive,
// 7 to 12 dominant, 13 is the sex-linked Yellow. Every table indexed by gene
// uses this order.
using GeneIndex = int;
inline constexpr int GeneCount = 14;

// The genes by their symbols, so that rules read like the breeder's notation.
namespace gene {
inline constexpr GeneIndex e = 0;    // Cream
inline constexpr GeneIndex dg = 1;   // Dark Grey
inline constexpr GeneIndex p = 2;    // Cinnamon
inline constexpr GeneIndex a = 3;    // Black
inline constexpr GeneIndex cd = 4;   // DE White
inline constexpr GeneIndex rd = 5;   // Recessive Dappled
inline constexpr GeneIndex l = 6;    // Long Hair
inline constexpr GeneIndex u = 7;    // Umbrous
inline constexpr GeneIndex ba = 8;   // Banded
inline constexpr GeneIndex sa = 9;   // Satin
inline constexpr GeneIndex sg = 10;  // Silver Grey
inline constexpr GeneIndex lg = 11;  // Light Grey
inline constexpr GeneIndex ds = 12;  // Dominant Spot
inline constexpr GeneIndex to = 13;  // Yellow, on the X chromosome
}  // namespace gene

// The three kinds of gene, by their place in the table: the recessive genes
// from Cream to Long Hair, the dominant ones from Umbrous to Dominant Spot,
// then Yellow.
constexpr bool isRecessive(GeneIndex g) { return g >= gene::e && g <= gene::l; }
constexpr bool isDominant(GeneIndex g) { return g >= gene::u && g <= gene::ds; }
constexpr bool isSexLinked(GeneIndex g) { return g == gene::to; }
static_assert(gene::l + 1 == gene::u && gene::ds + 1 == gene::to && gene::to + 1 == GeneCount,
              "the recessive genes, then the dominant ones, then Yellow, last");

// The symbol of a gene, always in lower case ("e", "dg", ...). An allele is
// written as the symbol with the case of its first letter telling which
// allele it is; see kCapitalIsMutant.
std::string_view geneSymbol(GeneIndex g);

// The allele-case table: whether an allele whose first letter is a capital
// is the mutant one, for recessive genes, dominant genes and the sex-linked
// Yellow. The wild allele of a recessive gene is the capital ("E" beside the
// mutant "e"); a dominant mutant and Yellow are written with a capital ("U",
// "To").
inline constexpr bool kCapitalIsMutant[3] = {false, true, true};

// The number of mutant alleles in a pair of gene g whose two first letters
// include `capitals` capitals. The mapping is its own inverse, so it also
// gives the number of capitals with which `capitals` mutant alleles are
// written.
// REQUIRES: 0 <= g < GeneCount, 0 <= capitals <= 2.
constexpr int mutantCountOfCapitals(GeneIndex g, int capitals) {
  const bool capital_is_mutant = kCapitalIsMutant[isRecessive(g) ? 0 : isDominant(g) ? 1 : 2];
  return capital_is_mutant ? capitals : 2 - capitals;
}

// The sex of an animal, held in alleleCount[SexSlot].
enum class Sex : std::int32_t { Unspecified = 0, Male = 1, Female = 2 };

// The slot after the genes: in alleleCount it holds the Sex code, in
// expressed the unnamed-colour marker.
inline constexpr int SexSlot = GeneCount;
inline constexpr int UnnamedMarker = GeneCount;

// One animal. A plain value, copied freely.
struct Genotype {
  // By gene: the number of mutant alleles, 0, 1 or 2. A male has one X
  // chromosome: his Yellow count is 2 (To) or 0, never 1. Then, at SexSlot,
  // the Sex code.
  std::array<std::int32_t, GeneCount + 1> alleleCount{};
  // By gene: whether it shows in the coat, derived by deriveExpressed. Then,
  // at UnnamedMarker, the marker that colour naming sets when no proper
  // colour name fits ("Unnamed composite color").
  std::array<bool, GeneCount + 1> expressed{};

  friend bool operator==(const Genotype&, const Genotype&) = default;
};

inline Sex sexOf(const Genotype& g) { return static_cast<Sex>(g.alleleCount[SexSlot]); }
inline void setSex(Genotype& g, Sex sex) {
  g.alleleCount[SexSlot] = static_cast<std::int32_t>(sex);
}

// Whether gene g shows in the coat with `count` mutant alleles: a recessive
// gene and Yellow when homozygous (count 2), a dominant gene whenever
// present. A tortoiseshell female (Yellow count 1) does not have Yellow
// expressed.
constexpr bool geneShows(GeneIndex g, std::int32_t count) {
  return isDominant(g) ? count != 0 : count == 2;
}

// Fills expressed[0..13] from the allele counts by geneShows and clears the
// unnamed-colour marker. Returns g.
Genotype& deriveExpressed(Genotype& g);

// The silver-grey white: homozygous Silver Grey with Cream shown and no
// Umbrous.
// REQUIRES: deriveExpressed has run on g.
bool isSilverCreamWhite(const Genotype& g);

}  // namespace quorvale

#endif  // QUORVALE_GENETICS_GENOTYPE_H_
