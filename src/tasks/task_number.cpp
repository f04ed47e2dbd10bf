#include "tasks/task_number.h"

#include <limits>

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
  std::size_t digits_from = !word.empty() && (word[0] == U'+' || word[0] == U'-') ? 1 : 0;
  if (digits_from == word.size()) {
    return std::nullopt;
  }
  for (std::size_t i = digits_from; i < word.size(); ++i) {
    if (word[i] < U'0' || word[i] > U'9') {
      return std::nullopt;
    }
  }
  const std::int32_t number = taskNumberFromWord(word);
  if (number == 0) {
    return std::nullopt;
  }
  return number;
}

}  // namespace quorvale
