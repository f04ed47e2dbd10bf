#ifndef QUORVALE_PHENOTYPE_COLOUR_WORDS_H_
#define QUORVALE_PHENOTYPE_COLOUR_WORDS_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/language.h"

namespace quorvale {

// The words of colour names as breeders type them: how a typed word is
// folded and compared with a word of a name, the phrases a colour line is
// made of, and the words to suggest for a word that matches none.

// Lower case, ё read as е, and a Latin c next to a Cyrillic letter read as
// the Cyrillic с (three Russian names begin with a Latin c), so that the
// table reads alphabetically and "слоновая" finds both Ivories.
std::u32string foldedKey(std::u32string_view text);

// Lower case (Latin and Cyrillic), ё read as е; nothing else.
std::u32string lowerCased(std::u32string_view text);

// One word of a typed text or of a name: as written, and folded (foldedKey,
// then "gray" read as "grey" and "colour" as "color", the same words).
struct ColourNameWord {
  std::u32string written;
  std::u32string folded;
};

// The words of a text: split at blanks, tabs, slashes, hyphens and commas
// ("DE/FE White", "Tri-Color", "Sable, male"), empty ones dropped.
std::vector<ColourNameWord> colourNameWords(std::u32string_view text);

// Whether a typed word matches a word of a name (both folded): the same
// word, or, when both have at least 4 letters in common at their start, one
// cut short ("серебр", "серебристый") or ending in up to two other letters
// of the shorter ("черный", "черным").
bool wordsMatch(std::u32string_view typed, std::u32string_view name);

// The Damerau distance of two words: the fewest insertions, deletions,
// substitutions of a letter and swaps of two neighbouring letters that make
// one the other (each letter edited once: optimal string alignment).
// Returns limit + 1 when it is more than limit, so that a long word costs
// no more than a short one.
int damerauDistance(std::u32string_view a, std::u32string_view b, int limit);

// What a phrase fills in a colour line.
enum class LineSlot : std::uint8_t { Base, Umbrous, Pattern, Satin, Length, Sex };

inline constexpr int LineSlotCount = static_cast<int>(LineSlot::Sex) + 1;

// A phrase a colour line may be typed with: every base colour's name and
// every colour word in both languages (the base colour a BaseColour, the
// word a ColourWord), the coat lengths' long names ("Long Hair",
// "длинношерстный"), and, for a whole line, the sex words ("male", "самка";
// a Sex).
struct ColourPhrase {
  LineSlot slot;
  std::uint8_t value;
  Language language;
  std::u32string_view text;
};

std::vector<ColourPhrase> colourPhrases(bool with_sex_words);

// Whether a typed word (folded) matches a word of one of the phrases.
bool isColourWord(std::u32string_view folded, const std::vector<ColourPhrase>& phrases);

// Up to 3 words of the phrases that a typed word (folded) may have been
// meant as: at a Damerau distance of at most 2 (and less than the typed
// word's length), closest first, then in alphabetical order; each once,
// written as the names write it (a Cyrillic word in lower case).
std::vector<std::u32string> suggestedWords(std::u32string_view folded,
                                           const std::vector<ColourPhrase>& phrases);

}  // namespace quorvale

#endif  // QUORVALE_PHENOTYPE_COLOUR_WORDS_H_
