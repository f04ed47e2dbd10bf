#include "app/task_number.h"

#include <limits>

namespace quorvale {

std::int32_t taskNumberFromWord(std::u32string_view word) {
  std::size_t i = 0;
  bool negative = false;
  if (i < word.size() && (word[i] == U'+' || word[i] == U'-')) {
    negative = word[i] == U'-';
    ++i;
  }
  // Accumulate the magnitude and stop growing it once it passes the largest
  // magnitude any result can have, so a word of a million digits neither
  // overflows nor costs more than one pass.
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; i < word.size() && word[i] >= U'0' && word[i] <= U'9'; ++i) {
    if (magnitude <= kLimit) {
      magnitude = magnitude * 10 + (word[i] - U'0');
    }
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (value < std::numeric_limits<std::int32_t>::min()) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace quorvale
