#include "stock/coat_reading.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>

#include "phenotype/colour.h"
#include "phenotype/colour_rules.h"
#include "phenotype/colour_lookup.h"
#include "stock/coat_boxes.h"
#include "text/language.h"
#include "text/messages.h"

namespace quorvale {

namespace {

// A line as it may be written: with or without its coat length, in either
// language.
struct WrittenLine {
  std::u32string text;
  DescriptionKey shown;  // what it says: the line, perhaps without its length
  DescriptionKey key;    // a line it fits
};

// Every way a line may be written, by its folded text.
const std::unordered_map<std::u32string, std::vector<WrittenLine>>& writtenLines() {
  static const auto lines = [] {
    std::unordered_map<std::u32string, std::vector<WrittenLine>> made;
    for (const DescriptionKey key : everyColourLine()) {
      for (const Language language : {Language::English, Language::Russian}) {
        for (const DescriptionKey shown : {key, withoutCoatLength(key)}) {
          std::u32string text = describedText(shown, language);
          std::vector<WrittenLine>& same = made[foldedKey(text)];
          same.push_back({std::move(text), shown, key});
        }
      }
    }
    return made;
  }();
  return lines;
}

}  // namespace

std::optional<CoatReading> readCoat(std::u32string_view typed) {
  CoatReading reading;
  std::u32string text(typed);
  // A sex suffix, in either language.
  for (const Language language : {Language::English, Language::Russian}) {
    for (const auto& [id, sex] : {std::pair{MessageId::MaleSuffix, Sex::Male},
                                  std::pair{MessageId::FemaleSuffix, Sex::Female}}) {
      const std::u32string_view suffix = messageText(id, language);
      if (foldedKey(text).ends_with(foldedKey(suffix))) {
        text.resize(text.size() - suffix.size());
        reading.suffix = sex;
      }
    }
  }
  const std::u32string folded = foldedKey(text);
  // The lethal combination is a line too, but no animal of a file has it.
  for (const Language language : {Language::English, Language::Russian}) {
    if (foldedKey(baseColourText(BaseColour::Lethal, language)) == folded) {
      reading.lethal = true;
      return reading;
    }
  }
  const auto found = writtenLines().find(folded);
  if (found == writtenLines().end()) {
    return std::nullopt;
  }
  // Lines that fold alike (the Russian Ivory BE and BE Ivory differ only in
  // a Latin c): the one as typed, when there is one.
  const std::vector<WrittenLine>& same = found->second;
  const auto typed_line = std::find_if(same.begin(), same.end(),
                                       [&](const WrittenLine& w) { return w.text == text; });
  reading.line = typed_line != same.end() ? typed_line->shown : same.front().shown;
  for (const WrittenLine& w : same) {
    if (w.shown == reading.line &&
        std::find(reading.lines.begin(), reading.lines.end(), w.key) == reading.lines.end()) {
      reading.lines.push_back(w.key);
    }
  }
  std::sort(reading.lines.begin(), reading.lines.end(),
            [](DescriptionKey a, DescriptionKey b) { return a.bits < b.bits; });
  return reading;
}

}  // namespace quorvale
