#ifndef QUORVALE_PHENOTYPE_COLOUR_ANSWERS_H_
#define QUORVALE_PHENOTYPE_COLOUR_ANSWERS_H_

#include <span>
#include <string>

#include "phenotype/colour_line.h"
#include "text/language.h"
#include "text/output.h"

namespace quorvale {

// The answers of the way back from a colour (phenotype/colour_lookup.h), as
// text and as JSON.

// The table of colours: the rows whose names hold every word (all rows for
// no words), sorted on their folded names in the given language, one line
// each: the name, a tab, the simplest genotype (or the male's and the
// female's, parted by ", "), a tab, "genes of " and the names of the genes
// it has; in Russian the English name stands after the Russian one, in a
// field of its own. Returns false, having written nothing, when no row
// matches, and then sets *error (when given) to what to tell the user, as
// colourLineErrorText does: of the first word that matches no colour
// word, or else of the words.
bool writeColourTable(std::span<const std::u32string> words, Language language, Output& out,
                      std::u32string* error = nullptr);

// The same rows as a JSON document: {"colors": [{"name", "english",
// "kind": "base"|"word", "line", "genotypes": [...], "genes": [{"gene",
// "name"}...], "genes_line"}]}, each row on a line of its own: a base
// colour's line is the colour line of its simplest genotype without the
// sex ("SH Sable"; null for a word), the line the way back takes;
// genes_line is the table's last field.
bool writeColourTableJson(std::span<const std::u32string> words, Language language, Output& out,
                          std::u32string* error = nullptr);

// The way back from a colour line, read by readColourLine
// (phenotype/colour_line.h) as kExactShortHair says: the line as the
// program writes it, each simplest genotype on a line of its own, then
// what such an animal may also hide, have twice and carry ("may also have
// hidden Black", "may also have two copies of Umbrous", "may also carry
// genes of ..."). Returns false, having written nothing, when the text is
// no colour line, and then sets *error (when given) to
// colourLineErrorText.
bool writeGenotypesOfLine(std::u32string_view line, Language language, Output& out,
                          std::u32string* error = nullptr);

// The same as a JSON document: {"line", "english_line", "genotypes":
// [...], "may_hide": [{"gene", "name"}...], "may_double": [...],
// "may_carry": [...], "may_hide_line", "may_double_line",
// "may_carry_line"}, the last three the text answer's lines or null.
bool writeGenotypesOfLineJson(std::u32string_view line, Language language, Output& out,
                              std::u32string* error = nullptr);

// What to say when no colour matches: "no colour matches: " and the words
// (made safe to show, cut short).
std::u32string noColourText(std::u32string_view words, Language language);

// What to tell the user of a typed text that readColourLine could not read
// (phenotype/colour_line.h), in the given language: for an unknown word,
// "no colour matches: " and the word, then "; did you mean: A, B or C?"
// or, with nothing to suggest, "; the colours are listed by: quorvale
// colors"; for several lines, "several colours match: " and the text, then
// the lines as patternText writes them with the fit, in parentheses,
// parted by "; "; otherwise "no colour matches: " and the text, then where
// the colours are listed. No line end.
std::u32string colourLineErrorText(std::u32string_view typed, const ColourLineError& error,
                                   const LineFit& fit, Language language);

}  // namespace quorvale

#endif  // QUORVALE_PHENOTYPE_COLOUR_ANSWERS_H_
