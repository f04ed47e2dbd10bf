#ifndef QUORVALE_PHENOTYPE_COLOUR_LOOKUP_H_
#define QUORVALE_PHENOTYPE_COLOUR_LOOKUP_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "genetics/genotype.h"
#include "phenotype/colour.h"
#include "phenotype/colour_line.h"
#include "phenotype/colour_rules.h"
#include "phenotype/colour_words.h"
#include "phenotype/description.h"
#include "text/language.h"

namespace quorvale {

// The way back from a colour to its genotype. Breeders know their animals
// by colour; these find, for a colour, the genotypes that give it with the
// fewest mutant alleles ("simplest": a To allele of a male counts as one,
// "toY" and "toto" as none; ties go by the genotype's text).
//
// Only what the description reads of a genotype decides its colour line
// (describedGeneValue, and the sex), so the search runs over those readings
// (about a quarter of a million) with the simplest genotype of each, not
// over the millions of genotypes.

// One row of the table of colours: a base colour of the chart (the lethal
// and the unnamed text included), or a word that extends a colour.
struct ColourRow {
  bool is_word = false;
  BaseColour base = BaseColour::Golden;  // when !is_word
  ColourWord word = ColourWord::None;    // when is_word
  // A simplest genotype that gives it; where Yellow is needed, the
  // simplest male and the simplest female, in that order (one alone when
  // only one sex can have it).
  std::vector<Genotype> genotypes;
  // The genes that have mutant alleles in those genotypes, one bit each.
  std::uint16_t genes = 0;
};

// Every row: the 37 base colours in the chart's order, then the 11 words.
std::vector<ColourRow> colourTable();

// The name of a row as the answers write it ("Sable", "соболь"; a word
// without the blank that joins it: "LH", "ДШ").
std::u32string rowName(const ColourRow& row, Language language);

// The rows in the order of their folded names (foldedKey,
// phenotype/colour_words.h) in the given language.
std::vector<const ColourRow*> sortedRows(const std::vector<ColourRow>& table, Language language);

// Whether every word of `words` (each split as colourNameWords splits a
// text) matches a word of the row's name, as wordsMatch says, all in one
// language or all in the other ("sable", "слоновая кость ЧГ", "черный"
// finds "желтый с черным" too); LH and SH also go by their long names. No
// words match every row.
bool rowMatches(const ColourRow& row, std::span<const std::u32string> words);

// A genotype as the table and the way back write it: its canonical text,
// with "toY" or "toto" added when it has no Yellow but its sex matters.
std::u32string lookupText(const Genotype& g);

// The way back from a colour line (phenotype/colour_line.h): every
// simplest genotype of the line that fits a pattern, and what else an
// animal of that line may have.
struct LineLookup {
  // The line found, decided (with the sex only when the pattern has one):
  // lineText writes it in either language.
  DescriptionKey line;
  // Every simplest genotype that gives the line (with the sex the pattern
  // names; left without, as ColourRow's genotypes).
  std::vector<Genotype> genotypes;
  // Genes an animal of that line may also have without changing its line
  // or adding a warning: genes it may have in some number of copies though
  // the simplest genotypes have none (hidden), a second copy of a dominant
  // gene they have once (and none lacks), and recessive genes it may carry
  // in one copy.
  std::uint16_t may_hide = 0;
  std::uint16_t may_double = 0;
  std::uint16_t may_carry = 0;
};

// The line that fits the pattern whose simplest genotype has the fewest
// mutant alleles (with an exact fit and a coat length, the only line that
// fits); nothing when no line fits.
std::optional<LineLookup> lookUpLine(const LinePattern& pattern, const LineFit& fit);

// The line found, as the program writes it in the given language.
std::u32string lineText(const LineLookup& found, Language language);

}  // namespace quorvale

#endif  // QUORVALE_PHENOTYPE_COLOUR_LOOKUP_H_
