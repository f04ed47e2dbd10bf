#ifndef QUORVALE_TASKS_TASK_NUMBER_H_
#define QUORVALE_TASKS_TASK_NUMBER_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text/language.h"

namespace quorvale {

// Reads the number at the start of a task word as its characters come, the
// way C's atoi reads it: an optional '+' or '-', then decimal digits up to
// the first other character. No digits give 0 ("abc", "", "-"), which the
// dialogue takes as no answer. A value beyond the signed 32-bit range is
// clamped to -2147483648 or 2147483647, however many digits it has, so a
// word of any length is read in constant memory. Leading white space is not
// skipped: a word never starts with it.
class TaskNumberReader {
 public:
  // Takes the next character of the word. Returns false once the number has
  // ended: nothing fed after that counts.
  bool feed(char32_t c);

  // The number read so far.
  std::int32_t value() const;

 private:
  bool started_ = false;  // a character has been fed
  bool ended_ = false;    // a character that is no digit ended the number
  bool negative_ = false;
  std::int64_t magnitude_ = 0;  // stops growing past the largest that counts
};

// The number of a whole word: what TaskNumberReader gives when fed it.
std::int32_t taskNumberFromWord(std::u32string_view word);

// The number of a word that must be a task number and nothing else, as the
// command line and the web page read one: an optional '+' or '-' and
// decimal digits only (text/digits.h), converted and clamped as the dialogue converts them
// (so the same number gives the same exercise). Nothing for any other word
// ("", "abc", "12abc", "1 2") and for 0, which is no task.
std::optional<std::int32_t> strictTaskNumber(std::u32string_view word);

// What the command line and the page say of a word that strictTaskNumber
// does not take: "not a task number: "12ab…"; a task number is ...", the
// word's first 4 characters quoted (made safe to show) and "…" when it has
// more.
std::u32string notATaskNumberText(std::u32string_view word, Language language);

// The generator seed for a task number: its 32-bit two's complement bits, so
// -1 seeds 4294967295.
constexpr std::uint32_t taskSeed(std::int32_t number) { return static_cast<std::uint32_t>(number); }

}  // namespace quorvale

#endif  // QUORVALE_TASKS_TASK_NUMBER_H_
