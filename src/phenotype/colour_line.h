#ifndef QUORVALE_PHENOTYPE_COLOUR_LINE_H_
#define QUORVALE_PHENOTYPE_COLOUR_LINE_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "genetics/genotype.h"
#include "phenotype/colour.h"
#include "phenotype/colour_rules.h"
#include "phenotype/description.h"
#include "text/language.h"

namespace quorvale {

// A colour line as breeders type it, in either language: "Black Banded",
// "Long Hair Sable", "Sable, male", "ДШ соболь", "SH Golden Tortoiseshell,
// female". Every front end and every core module that takes a colour from
// the user reads it here, and holds what it read against the lines the
// program decides (DescriptionKey).
//
// The rules of reading:
//  - The text is made of phrases, each a base colour's name or a colour
//    word (umbrous, pattern, satin, coat length: "Umbrous", "Dominant
//    Spot", "Double Satin", "SH", "Long Hair", "с поясом") or a sex word
//    ("male", "самка"), of either language, in any order, each at most
//    once (one base colour, one pattern, ...). A line without a base colour
//    is Golden, the wild colour ("Banded" is a Golden Banded).
//  - A phrase is typed with its words in their order; words match as
//    wordsMatch (phenotype/colour_words.h) says. A base colour or colour
//    word may be typed with only some of its words, one after another
//    ("Cream" for BE Cream or Cream RE, "Dappled" for Recessive Dappled),
//    but a phrase typed whole is meant before one typed in part ("Sable"
//    is Sable, not Dark Grey Sable), and fewer phrases before more ("Dark
//    Grey Sable" is one colour, not Dark Grey and Sable).
//  - Where two names read alike once folded (in Russian, Ivory BE and BE
//    Ivory, which differ only in a Latin c), the one closer to the words
//    as typed is meant.
//  - Tortoiseshell and Tri-Color are female; with "male" they are no line.
//  - What is left is either one line, or several, which is an error that
//    lists the lines there are (the names typed may fit lines that the
//    program never writes, such as a tortoiseshell Yellow: those are not
//    listed, and one line left is the one meant).

// A line as typed: each field as typed, None (Unspecified) when not typed.
struct LinePattern {
  BaseColour base = BaseColour::Golden;
  ColourWord umbrous = ColourWord::None;
  ColourWord pattern = ColourWord::None;
  ColourWord satin = ColourWord::None;
  ColourWord length = ColourWord::None;
  // Typed, or fixed by the pattern (a tortoiseshell is female).
  Sex sex = Sex::Unspecified;
  friend bool operator==(const LinePattern&, const LinePattern&) = default;
};

// How a pattern is held against a line.
struct LineFit {
  // Exact: a word not typed must be absent from the line ("Black Banded"
  // is SH Black Banded and nothing more). Free: it may be anything (a
  // breeding target "Black Tortoiseshell" is met by any coat length,
  // umbrous or satin of that base colour and pattern).
  bool exact = true;
  // What a line typed without a coat length is taken to have: ShortHair
  // or LongHair, or None for either length (in either mode). Lines without
  // a coat length (lethal and unnamed colours) fit either way.
  ColourWord untyped_length = ColourWord::ShortHair;
};

// What the command genotypes means by a line: exactly as typed, SH when no
// coat length is typed.
inline constexpr LineFit kExactShortHair{};

// What a breeder looking for a colour among the young means (litter
// --find): the words typed, and anything for the words not typed ("Black
// Tortoiseshell" is any Black Tortoiseshell, of either coat length, umbrous
// or satin or not).
inline constexpr LineFit kTargetFit{/*exact=*/false, /*untyped_length=*/ColourWord::None};

// The pattern as an answer names the colour looked for: patternText with
// kTargetFit, without the sex that a tortoiseshell or tri-colour has
// anyway ("Black Tortoiseshell", "BE Cream, male").
std::u32string targetText(const LinePattern& pattern, Language language);

// Whether a decided line (a description, its warnings left aside) fits the
// pattern: the same base colour, the words as the fit says, and, when a
// sex is typed, that sex shown (whites, unnamed and lethal colours show
// none, so they fit no typed sex). A line decided without the sex fits
// any pattern without one.
bool fitsLine(DescriptionKey line, const LinePattern& pattern, const LineFit& fit);

// The pattern as the program writes a line, with the fit's coat length
// when none is typed ("SH BE Cream", "кремовый ЧГ КШ"; "SH Golden
// Tortoiseshell, female").
std::u32string patternText(const LinePattern& pattern, const LineFit& fit, Language language);

// Why a text is no colour line.
enum class LineErrorKind : std::uint8_t {
  // Its words are colour words but make no line: nothing typed, two base
  // colours, a word twice, a male tortoiseshell, or a line no animal has.
  NoLine,
  // A word that matches no colour word.
  UnknownWord,
  // Several lines fit.
  Ambiguous,
};

struct ColourLineError {
  LineErrorKind kind = LineErrorKind::NoLine;
  // UnknownWord: the first such word, as typed, and up to 3 colour words
  // it may have been meant as (suggestedWords), perhaps none.
  std::u32string word;
  std::vector<std::u32string> suggestions;
  // Ambiguous: each line that fits, in the order of the colour chart's
  // base colours (patternText words it).
  std::vector<LinePattern> lines;
};

// Either the pattern read, or why there is none.
struct ColourLineReading {
  std::optional<LinePattern> pattern;
  ColourLineError error;  // when there is no pattern
};

// Reads a typed colour line by the rules above; the fit decides which of
// several lines exist (any animal's line fits it).
ColourLineReading readColourLine(std::u32string_view text, const LineFit& fit);

// Whether a text reads as one colour line or more, without asking which
// exist: a word given where a genotype belongs that the way back from a
// colour (quorvale genotypes) can answer.
bool isColourName(std::u32string_view text);

}  // namespace quorvale

#endif  // QUORVALE_PHENOTYPE_COLOUR_LINE_H_
