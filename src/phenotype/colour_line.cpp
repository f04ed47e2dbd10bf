#include "phenotype/colour_line.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <tuple>
#include <utility>

#include "phenotype/colour_words.h"
#include "phenotype/readings.h"
#include "text/messages.h"

namespace quorvale {

namespace {

// No line is written with more words than this; a text with more is none.
constexpr std::size_t kMostWords = 24;

// A phrase with its words folded. Phrases of one slot that read alike once
// folded are one entry, with a variant for each.
struct Entry {
  struct Variant {
    std::uint8_t value;
    std::vector<std::u32string> written;
  };
  LineSlot slot;
  std::vector<std::u32string> folded;
  std::vector<Variant> variants;
};

std::vector<Entry> entriesOf(const std::vector<ColourPhrase>& phrases) {
  std::vector<Entry> entries;
  for (const ColourPhrase& phrase : phrases) {
    Entry::Variant variant{phrase.value, {}};
    std::vector<std::u32string> folded;
    for (ColourNameWord& word : colourNameWords(phrase.text)) {
      variant.written.push_back(std::move(word.written));
      folded.push_back(std::move(word.folded));
    }
    auto entry = std::find_if(entries.begin(), entries.end(), [&](const Entry& e) {
      return e.slot == phrase.slot && e.folded == folded;
    });
    if (entry == entries.end()) {
      entries.push_back({phrase.slot, std::move(folded), {}});
      entry = entries.end() - 1;
    }
    const bool known =
        std::any_of(entry->variants.begin(), entry->variants.end(),
                    [&](const Entry::Variant& v) { return v.value == variant.value; });
    if (!known) {
      entry->variants.push_back(std::move(variant));
    }
  }
  return entries;
}

// How close a typed word is to a word of a name: 0 the same, 1 the same
// but for case (and ё), 2 read alike only once folded or matched.
int closeness(std::u32string_view typed, std::u32string_view written) {
  if (typed == written) {
    return 0;
  }
  return lowerCased(typed) == lowerCased(written) ? 1 : 2;
}

// Typed words from one position to another read as (part of) one phrase:
// the values of the variants closest to the words as typed.
struct Step {
  std::size_t to;
  LineSlot slot;
  bool partial;
  std::vector<std::uint8_t> values;
};

// The step that reads `length` typed words from `at` as the entry's words
// from `from` on.
Step stepOf(const std::vector<ColourNameWord>& typed, std::size_t at, const Entry& entry,
            std::size_t from, std::size_t length) {
  Step step{at + length, entry.slot, length < entry.folded.size(), {}};
  int closest = 0;
  for (const Entry::Variant& variant : entry.variants) {
    int distance = 0;
    for (std::size_t k = 0; k < length; ++k) {
      distance += closeness(typed[at + k].written, variant.written[from + k]);
    }
    if (step.values.empty() || distance < closest) {
      step.values.clear();
      closest = distance;
    }
    if (distance == closest) {
      step.values.push_back(variant.value);
    }
  }
  return step;
}

// The steps that start at each typed word: every run of words that match
// a run of an entry's words, one after another.
std::vector<std::vector<Step>> stepsOf(const std::vector<ColourNameWord>& typed,
                                       const std::vector<Entry>& entries) {
  std::vector<std::vector<Step>> steps(typed.size());
  for (std::size_t at = 0; at < typed.size(); ++at) {
    for (const Entry& entry : entries) {
      for (std::size_t from = 0; from < entry.folded.size(); ++from) {
        for (std::size_t length = 1;
             from + length <= entry.folded.size() && at + length <= typed.size(); ++length) {
          if (!wordsMatch(typed[at + length - 1].folded, entry.folded[from + length - 1])) {
            break;
          }
          steps[at].push_back(stepOf(typed, at, entry, from, length));
        }
      }
    }
  }
  return steps;
}

// The order patterns are listed in: by base colour first, as in the chart.
bool listedBefore(const LinePattern& a, const LinePattern& b) {
  return std::tuple(a.base, a.umbrous, a.pattern, a.satin, a.length, a.sex) <
         std::tuple(b.base, b.umbrous, b.pattern, b.satin, b.length, b.sex);
}

std::uint8_t slotBit(LineSlot slot) {
  return static_cast<std::uint8_t>(1u << static_cast<int>(slot));
}

// The walk over the ways of reading the typed words as phrases, each slot
// at most once: keeps the patterns of the best ways (fewest phrases typed
// in part, then fewest phrases).
class Readings {
 public:
  explicit Readings(std::vector<std::vector<Step>> steps)
      : steps_(std::move(steps)), reaches_((steps_.size() + 1) << LineSlotCount, kUnknown) {}

  std::vector<LinePattern> best() {
    walk(0, 0, 0);
    std::sort(patterns_.begin(), patterns_.end(), listedBefore);
    patterns_.erase(std::unique(patterns_.begin(), patterns_.end()), patterns_.end());
    return patterns_;
  }

 private:
  static constexpr signed char kUnknown = -1;
  // (phrases typed in part, phrases): less is better.
  using Score = std::pair<int, int>;

  // Whether the words from `at` on can be read with the slots of `used`
  // taken.
  bool reaches(std::size_t at, std::uint8_t used) {
    if (at == steps_.size()) {
      return true;
    }
    signed char& known = reaches_[at << LineSlotCount | used];
    if (known == kUnknown) {
      known = 0;
      for (const Step& step : steps_[at]) {
        if ((used & slotBit(step.slot)) == 0 && reaches(step.to, used | slotBit(step.slot))) {
          known = 1;
          break;
        }
      }
    }
    return known == 1;
  }

  void walk(std::size_t at, std::uint8_t used, int partial) {
    if (at == steps_.size()) {
      keep(Score{partial, static_cast<int>(taken_.size())});
      return;
    }
    for (const Step& step : steps_[at]) {
      const auto bit = static_cast<std::uint8_t>(slotBit(step.slot));
      const Score least{partial + (step.partial ? 1 : 0), static_cast<int>(taken_.size()) + 1};
      if ((used & bit) != 0 || !reaches(step.to, used | bit) ||
          (!patterns_.empty() && best_ < least)) {
        continue;
      }
      taken_.push_back(&step);
      walk(step.to, used | bit, least.first);
      taken_.pop_back();
    }
  }

  // The patterns of the steps taken (one for each choice among the
  // variants of a step), when they make a line.
  void keep(Score score) {
    std::vector<LinePattern> made(1);
    for (const Step* step : taken_) {
      std::vector<LinePattern> more;
      for (const std::uint8_t value : step->values) {
        for (LinePattern pattern : made) {
          set(pattern, step->slot, value);
          more.push_back(pattern);
        }
      }
      made = std::move(more);
    }
    for (LinePattern& pattern : made) {
      const bool tortoiseshell =
          pattern.pattern == ColourWord::Tortoiseshell || pattern.pattern == ColourWord::TriColour;
      if (tortoiseshell && pattern.sex == Sex::Male) {
        continue;
      }
      if (tortoiseshell) {
        pattern.sex = Sex::Female;
      }
      if (patterns_.empty() || score < best_) {
        patterns_.clear();
        best_ = score;
      }
      if (score == best_) {
        patterns_.push_back(pattern);
      }
    }
  }

  static void set(LinePattern& pattern, LineSlot slot, std::uint8_t value) {
    const auto word = static_cast<ColourWord>(value);
    switch (slot) {
      case LineSlot::Base:
        pattern.base = static_cast<BaseColour>(value);
        break;
      case LineSlot::Umbrous:
        pattern.umbrous = word;
        break;
      case LineSlot::Pattern:
        pattern.pattern = word;
        break;
      case LineSlot::Satin:
        pattern.satin = word;
        break;
      case LineSlot::Length:
        pattern.length = word;
        break;
      case LineSlot::Sex:
        pattern.sex = static_cast<Sex>(value);
        break;
    }
  }

  std::vector<std::vector<Step>> steps_;
  std::vector<signed char> reaches_;  // by (at, used): reaches(), once known
  std::vector<const Step*> taken_;
  std::vector<LinePattern> patterns_;
  Score best_{};
};

// The patterns the text reads as at best, or an UnknownWord or NoLine
// error.
std::vector<LinePattern> readPatterns(std::u32string_view text, ColourLineError& error) {
  const std::vector<ColourNameWord> typed = colourNameWords(text);
  const std::vector<ColourPhrase> phrases = colourPhrases(/*with_sex_words=*/true);
  for (const ColourNameWord& word : typed) {
    if (!isColourWord(word.folded, phrases)) {
      error.kind = LineErrorKind::UnknownWord;
      error.word = word.written;
      error.suggestions = suggestedWords(word.folded, phrases);
      return {};
    }
  }
  error.kind = LineErrorKind::NoLine;
  if (typed.empty() || typed.size() > kMostWords) {
    return {};
  }
  return Readings(stepsOf(typed, entriesOf(phrases))).best();
}

// The patterns that some animal's line fits.
std::vector<LinePattern> existing(const std::vector<LinePattern>& patterns, const LineFit& fit) {
  std::vector<bool> found(patterns.size(), false);
  forEachReading([&](Genotype& g) {
    const DescriptionKey line = decideDescription(g, false, true);
    for (std::size_t i = 0; i < patterns.size(); ++i) {
      found[i] = found[i] || fitsLine(line, patterns[i], fit);
    }
  });
  std::vector<LinePattern> kept;
  for (std::size_t i = 0; i < patterns.size(); ++i) {
    if (found[i]) {
      kept.push_back(patterns[i]);
    }
  }
  return kept;
}

}  // namespace

bool fitsLine(DescriptionKey line, const LinePattern& pattern, const LineFit& fit) {
  const ColourName name = colourNameOf(line);
  const auto fits = [&](ColourWord typed, ColourWord shown) {
    return typed == shown || (!fit.exact && typed == ColourWord::None);
  };
  if (name.coat.base != pattern.base || !fits(pattern.umbrous, name.umbrous) ||
      !fits(pattern.pattern, name.pattern) || !fits(pattern.satin, name.satin)) {
    return false;
  }
  if (pattern.length != ColourWord::None
          ? name.length != pattern.length
          : fit.untyped_length != ColourWord::None && name.length != ColourWord::None &&
                name.length != fit.untyped_length) {
    return false;
  }
  return pattern.sex == Sex::Unspecified || sexShownOf(line) == pattern.sex;
}

std::u32string patternText(const LinePattern& pattern, const LineFit& fit, Language language) {
  const CoatKind kind = coatKindOf(pattern.base);
  const bool has_length = kind == CoatKind::Coloured || kind == CoatKind::White;
  const ColourName name{
      {pattern.base, kind},
      pattern.umbrous,
      pattern.pattern,
      pattern.satin,
      pattern.length == ColourWord::None && has_length ? fit.untyped_length : pattern.length};
  std::u32string text;
  appendColourName(name, language, text);
  if (kind == CoatKind::Coloured && pattern.sex == Sex::Male) {
    text += messageText(MessageId::MaleSuffix, language);
  } else if (kind == CoatKind::Coloured && pattern.sex == Sex::Female) {
    text += messageText(MessageId::FemaleSuffix, language);
  }
  return text;
}

std::u32string targetText(const LinePattern& pattern, Language language) {
  LinePattern shown = pattern;
  if (pattern.pattern == ColourWord::Tortoiseshell || pattern.pattern == ColourWord::TriColour) {
    shown.sex = Sex::Unspecified;
  }
  return patternText(shown, kTargetFit, language);
}

ColourLineReading readColourLine(std::u32string_view text, const LineFit& fit) {
  ColourLineReading reading;
  std::vector<LinePattern> patterns = readPatterns(text, reading.error);
  if (patterns.size() > 1) {
    patterns = existing(patterns, fit);
  }
  if (patterns.size() == 1) {
    reading.pattern = patterns.front();
  } else if (patterns.size() > 1) {
    reading.error.kind = LineErrorKind::Ambiguous;
    reading.error.lines = std::move(patterns);
  }
  return reading;
}

bool isColourName(std::u32string_view text) {
  ColourLineError error;
  return !readPatterns(text, error).empty();
}

}  // namespace quorvale
