#include "tasks/task_number.h"

#include <algorithm>
#include <limits>

#include "text/digits.h"
#include "text/genotype_error.h"
#include "text/phrases.h"

namespace quorvale {

namespace {
// One more than the largest magnitude any result can have: once the
// magnitude passes it, more digits cannot change the clamped result, so the
// magnitude neither overflows nor needs to grow.
constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
}  // namespace

bool TaskNumberReader::feed(char32_t c) {
  if (ended_) {
    return false;
  }
  const bool first = !started_;
  started_ = true;
  if (first && (c == U'+' || c == U'-')) {
    negative_ = c == U'-';
    return true;
  }
  if (c < U'0' || c > U'9') {
    ended_ = true;
    return false;
  }
  if (magnitude_ <= kLimit) {
    magnitude_ = magnitude_ * 10 + (c - U'0');
  }
  return true;
}

std::int32_t TaskNumberReader::value() const {
  const std::int64_t value = negative_ ? -magnitude_ : magnitude_;
  if (value > std::numeric_limits<std::int32_t>::max()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (value < std::numeric_limits<std::int32_t>::min()) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(value);
}

std::int32_t taskNumberFromWord(std::u32string_view word) {
  TaskNumberReader reader;
  for (const char32_t c : word) {
    if (!reader.feed(c)) {
      break;
    }
  }
  return reader.value();
}

std::optional<std::int32_t> strictTaskNumber(std::u32string_view word) {
  const std::optional<SignedNumber> number = readSignedNumber(word);
  if (!number || number->magnitude == 0) {
    return std::nullopt;
  }
  // Clamped as the dialogue clamps: kLimit stands for every larger value.
  const std::int64_t clamped =
      static_cast<std::int64_t>(std::min(number->magnitude, static_cast<std::uint64_t>(kLimit)));
  const std::int64_t value = number->negative ? -clamped : clamped;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::u32string notATaskNumberText(std::u32string_view word, Language language) {
  constexpr std::size_t kMostQuoted = 4;
  std::u32string text(phraseText(PhraseId::NotATaskNumber, language));
  text += U'"';
  appendShown(word.substr(0, kMostQuoted), text);
  if (word.size() > kMostQuoted) {
    text += U'\u2026';
  }
  text += U'"';
  text += phraseText(PhraseId::TaskNumberRule, language);
  return text;
}

}  // namespace quorvale
