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

}  // namespace quorvale
