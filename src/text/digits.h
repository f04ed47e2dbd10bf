#ifndef QUORVALE_TEXT_DIGITS_H_
#define QUORVALE_TEXT_DIGITS_H_

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvale {

// The one reader of a number that the command line and the web page take
// as a word of its own (a litter's size and a task number after their
// sign, a group's place): decimal digits '0' to '9' and nothing else, at least
// one; no sign, no blank. The dialogue reads its task numbers its own way
// (tasks/task_number.h), as C's atoi does.

// The word's value; nothing for a word that is not all digits. A value
// past the largest 64-bit number reads as that number, so a word of any
// length is read without growing and compares as too large.
std::optional<std::uint64_t> readDigits(std::u32string_view word);

// A whole number the user types (a litter's size, a task number): an
// optional '+' or '-', then digits as readDigits reads them. One rule for
// every number a user gives, so that "+8" is a litter's size as "+12" is a
// task number; what range it must be in is the caller's.
struct SignedNumber {
  bool negative = false;
  std::uint64_t magnitude = 0;
};
std::optional<SignedNumber> readSignedNumber(std::u32string_view word);

}  // namespace quorvale

#endif  // QUORVALE_TEXT_DIGITS_H_
