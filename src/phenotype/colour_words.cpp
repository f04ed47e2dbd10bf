#include "phenotype/colour_words.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "genetics/genotype.h"
#include "phenotype/colour.h"
#include "phenotype/colour_rules.h"
#include "text/messages.h"

namespace quorvale {

namespace {

bool isCyrillic(char32_t c) { return c >= 0x400 && c <= 0x4FF; }

bool isSeparator(char32_t c) {
  return c == U' ' || c == U'\t' || c == U'/' || c == U'-' || c == U',';
}

// Words that are one word however they are spelt: the first of each pair
// is read as the second.
constexpr std::pair<std::u32string_view, std::u32string_view> kSameWords[] = {
    {U"gray", U"grey"},
    {U"colour", U"color"},
};

// The coat lengths' long names, besides the short ones of the answers.
struct LongName {
  ColourWord word;
  Language language;
  std::u32string_view text;
};
constexpr LongName kLongNames[] = {
    {ColourWord::ShortHair, Language::English, U"Short Hair"},
    {ColourWord::LongHair, Language::English, U"Long Hair"},
    {ColourWord::ShortHair, Language::Russian, U"короткошерстный"},
    {ColourWord::LongHair, Language::Russian, U"длинношерстный"},
};

// A typed word must share this many letters at its start with a word of a
// name to match it without being the same.
constexpr std::size_t kLeastShared = 4;
// How many letters at the end of the shorter word may differ (an ending).
constexpr std::size_t kEnding = 2;
// The farthest a suggested word may be from the typed one.
constexpr int kFarthestSuggestion = 2;
constexpr std::size_t kSuggestions = 3;

std::u32string_view trimmed(std::u32string_view text) {
  while (!text.empty() && (text.front() == U' ' || text.front() == U',')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && text.back() == U' ') {
    text.remove_suffix(1);
  }
  return text;
}

std::u32string sameWord(std::u32string folded) {
  for (const auto& [spelling, word] : kSameWords) {
    if (folded == spelling) {
      return std::u32string(word);
    }
  }
  return folded;
}

}  // namespace

std::u32string lowerCased(std::u32string_view text) {
  std::u32string lower(text);
  for (char32_t& c : lower) {
    // Latin capitals, and the Cyrillic ones from А to Я, lie 0x20 below
    // their small letters.
    if ((c >= U'A' && c <= U'Z') || (c >= 0x410 && c <= 0x42F)) {
      c += 0x20;
    } else if (c == 0x401 || c == 0x451) {  // Ё, ё
      c = 0x435;                            // е
    }
  }
  return lower;
}

std::u32string foldedKey(std::u32string_view text) {
  std::u32string folded = lowerCased(text);
  for (std::size_t i = 0; i < folded.size(); ++i) {
    const bool next_to_cyrillic = (i > 0 && isCyrillic(folded[i - 1])) ||
                                  (i + 1 < folded.size() && isCyrillic(folded[i + 1]));
    if (folded[i] == U'c' && next_to_cyrillic) {
      folded[i] = 0x441;  // с
    }
  }
  return folded;
}

std::vector<ColourNameWord> colourNameWords(std::u32string_view text) {
  std::vector<ColourNameWord> words;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && !isSeparator(text[i])) {
      continue;
    }
    if (i > start) {
      const std::u32string_view written = text.substr(start, i - start);
      words.push_back({std::u32string(written), sameWord(foldedKey(written))});
    }
    start = i + 1;
  }
  return words;
}

bool wordsMatch(std::u32string_view typed, std::u32string_view name) {
  if (typed == name) {
    return true;
  }
  const std::size_t shorter = std::min(typed.size(), name.size());
  std::size_t shared = 0;
  while (shared < shorter && typed[shared] == name[shared]) {
    ++shared;
  }
  return shared >= kLeastShared && shared + kEnding >= shorter;
}

int damerauDistance(std::u32string_view a, std::u32string_view b, int limit) {
  const std::size_t longer = std::max(a.size(), b.size());
  if (longer - std::min(a.size(), b.size()) > static_cast<std::size_t>(limit)) {
    return limit + 1;
  }
  // Three rows of the table of distances between the beginnings of a and b:
  // row i holds the distances of a's first i letters from each beginning
  // of b.
  std::vector<int> before(b.size() + 1);
  std::vector<int> last(b.size() + 1);
  std::vector<int> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) {
    last[j] = static_cast<int>(j);
  }
  for (std::size_t i = 1; i <= a.size(); ++i) {
    row[0] = static_cast<int>(i);
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const int substitution = a[i - 1] == b[j - 1] ? 0 : 1;
      row[j] = std::min({last[j] + 1, row[j - 1] + 1, last[j - 1] + substitution});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        row[j] = std::min(row[j], before[j - 2] + 1);
      }
    }
    std::swap(before, last);
    std::swap(last, row);
  }
  return std::min(last[b.size()], limit + 1);
}

std::vector<ColourPhrase> colourPhrases(bool with_sex_words) {
  std::vector<ColourPhrase> phrases;
  for (const Language language : {Language::English, Language::Russian}) {
    for (int base = 0; base < BaseColourCount; ++base) {
      phrases.push_back({LineSlot::Base, static_cast<std::uint8_t>(base), language,
                         baseColourText(static_cast<BaseColour>(base), language)});
    }
    for (int w = 1; w < ColourWordCount; ++w) {
      const auto word = static_cast<ColourWord>(w);
      LineSlot slot = LineSlot::Pattern;
      if (word == ColourWord::Umbrous) {
        slot = LineSlot::Umbrous;
      } else if (word == ColourWord::Satin || word == ColourWord::DoubleSatin) {
        slot = LineSlot::Satin;
      } else if (word == ColourWord::LongHair || word == ColourWord::ShortHair) {
        slot = LineSlot::Length;
      }
      phrases.push_back(
          {slot, static_cast<std::uint8_t>(w), language, trimmed(colourWordText(word, language))});
    }
    if (with_sex_words) {
      for (const auto& [sex, suffix] : {std::pair{Sex::Male, MessageId::MaleSuffix},
                                        std::pair{Sex::Female, MessageId::FemaleSuffix}}) {
        phrases.push_back({LineSlot::Sex, static_cast<std::uint8_t>(sex), language,
                           trimmed(messageText(suffix, language))});
      }
    }
  }
  for (const LongName& name : kLongNames) {
    phrases.push_back(
        {LineSlot::Length, static_cast<std::uint8_t>(name.word), name.language, name.text});
  }
  return phrases;
}

bool isColourWord(std::u32string_view folded, const std::vector<ColourPhrase>& phrases) {
  return std::any_of(phrases.begin(), phrases.end(), [&](const ColourPhrase& phrase) {
    const std::vector<ColourNameWord> words = colourNameWords(phrase.text);
    return std::any_of(words.begin(), words.end(),
                       [&](const ColourNameWord& word) { return wordsMatch(folded, word.folded); });
  });
}

std::vector<std::u32string> suggestedWords(std::u32string_view folded,
                                           const std::vector<ColourPhrase>& phrases) {
  const int limit = std::min(kFarthestSuggestion, static_cast<int>(folded.size()) - 1);
  if (limit < 0) {
    return {};
  }
  // (distance, folded, as written) of each word close enough.
  std::vector<std::tuple<int, std::u32string, std::u32string>> close;
  for (const ColourPhrase& phrase : phrases) {
    for (ColourNameWord& word : colourNameWords(phrase.text)) {
      const int distance = damerauDistance(folded, word.folded, limit);
      if (distance > limit) {
        continue;
      }
      const bool cyrillic = std::any_of(word.folded.begin(), word.folded.end(), isCyrillic);
      close.emplace_back(distance, word.folded, cyrillic ? word.folded : std::move(word.written));
    }
  }
  std::stable_sort(close.begin(), close.end(), [](const auto& x, const auto& y) {
    return std::tie(std::get<0>(x), std::get<1>(x)) < std::tie(std::get<0>(y), std::get<1>(y));
  });
  std::vector<std::u32string> suggestions;
  for (std::size_t i = 0; i < close.size() && suggestions.size() < kSuggestions; ++i) {
    if (i == 0 || std::get<1>(close[i]) != std::get<1>(close[i - 1])) {
      suggestions.push_back(std::get<2>(close[i]));
    }
  }
  return suggestions;
}

}  // namespace quorvale
