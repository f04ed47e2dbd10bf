#include "text/digits.h"

#include <limits>

namespace quorvale {

std::optional<std::uint64_t> readDigits(std::u32string_view word) {
  if (word.empty()) {
    return std::nullopt;
  }
  constexpr std::uint64_t kLargest = std::numeric_limits<std::uint64_t>::max();
  std::uint64_t value = 0;
  for (const char32_t c : word) {
    if (c < U'0' || c > U'9') {
      return std::nullopt;
    }
    const auto digit = static_cast<std::uint64_t>(c - U'0');
    value = value > (kLargest - digit) / 10 ? kLargest : value * 10 + digit;
  }
  return value;
}

std::optional<SignedNumber> readSignedNumber(std::u32string_view word) {
  SignedNumber number;
  number.negative = word.starts_with(U'-');
  if (number.negative || word.starts_with(U'+')) {
    word.remove_prefix(1);
  }
  const std::optional<std::uint64_t> magnitude = readDigits(word);
  if (!magnitude) {
    return std::nullopt;
  }
  number.magnitude = *magnitude;
  return number;
}

}  // namespace quorvale
