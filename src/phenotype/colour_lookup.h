#ifndef QUORVALE_PHENOTYPE_COLOUR_LOOKUP_H_
#define QUORVALE_PHENOTYPE_COLOUR_LOOKUP_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "genetics/genotype.h"
#include "phenotype/colour.h"
#include "phenotype/colour_rules.h"
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

// The key rows are sorted and matched on: lower case, ё read as е, and a
// Latin c next to a Cyrillic letter read as the Cyrillic с (three Russian
// names begin with a Latin c), so that the table reads alphabetically and
// "слоновая" finds both Ivories.
std::u32string foldedKey(std::u32string_view text);

// The rows in the order of their folded names in the given language.
std::vector<const ColourRow*> sortedRows(const std::vector<ColourRow>& table, Language language);

// Whether every word of `words` (each folded, split at blanks) is a whole
// word of the row's name in one language or the other ("sable", "слоновая
// кость ЧГ"). No words match every row.
bool rowMatches(const ColourRow& row, std::span<const std::u32string> words);

// A genotype as the table and the way back write it: its canonical text,
// with "toY" or "toto" added when it has no Yellow but its sex matters.
std::u32string lookupText(const Genotype& g);

// The way back from a whole colour line as option 1 writes its first line
// ("SH Black Banded", "черный с поясом КШ", "SH Golden Tortoiseshell,
// female"), in either language, folded as foldedKey does (when folding
// makes two lines alike, the one closer to the text as typed). The sex
// suffix may be left off, as on a litter's parent lines. A colour's name
// alone ("Sable") stands for the line of its simplest genotype ("SH
// Sable").
struct LineLookup {
  // The line found, decided (its sex left out when the line left it out):
  // lineText writes it in either language.
  DescriptionKey line;
  // Every simplest genotype that gives the line (with the sex the line
  // names; left without, as ColourRow's genotypes).
  std::vector<Genotype> genotypes;
  // Genes an animal of that line may also have in some number of copies
  // without changing its line or adding a warning (hidden, or a second
  // dose of a dominant gene), and recessive genes it may carry in one copy.
  std::uint16_t may_hide = 0;
  std::uint16_t may_carry = 0;
};

// Nothing when no colour line is the given one.
std::optional<LineLookup> lookUpLine(std::u32string_view line);

// The line found, as the program writes it in the given language.
std::u32string lineText(const LineLookup& found, Language language);

// Whether text (folded) is the name of a row, in either language: a word
// that the command color cannot read, but the way back can.
bool isColourName(std::u32string_view text);

}  // namespace quorvale

#endif  // QUORVALE_PHENOTYPE_COLOUR_LOOKUP_H_
