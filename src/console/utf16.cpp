#include "console/utf16.h"

#include "text/utf8.h"

namespace quorvale {

namespace {

bool isHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

void appendUtf16(char32_t c, std::u16string& out) {
  if (c < 0x10000) {
    out.push_back(static_cast<char16_t>(c));
  } else {
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
  }
}

}  // namespace

std::u16string utf16FromUtf8(std::string_view bytes, std::string* pending) {
  const std::string all = *pending + std::string(bytes);
  pending->clear();
  std::u16string units;
  units.reserve(all.size());
  std::size_t pos = 0;
  while (pos < all.size()) {
    char32_t c = 0;
    const std::size_t length = decodeUtf8At(all, pos, /*more_may_follow=*/true, &c);
    if (length == 0) {
      pending->assign(all, pos);
      break;
    }
    appendUtf16(c, units);
    pos += length;
  }
  return units;
}

std::string utf8FromUtf16(std::u16string_view units, bool more_may_follow, char16_t* pending_high) {
  std::u32string text;
  text.reserve(units.size() + 1);
  char32_t high = *pending_high;
  *pending_high = 0;
  for (const char16_t unit : units) {
    const char32_t u = unit;
    if (high != 0) {
      if (isLowSurrogate(u)) {
        text.push_back(0x10000 + ((high - 0xD800) << 10) + (u - 0xDC00));
        high = 0;
        continue;
      }
      text.push_back(kReplacementCharacter);
      high = 0;
    }
    if (isHighSurrogate(u)) {
      high = u;
    } else if (isLowSurrogate(u)) {
      text.push_back(kReplacementCharacter);
    } else {
      text.push_back(u);
    }
  }
  if (high != 0 && !more_may_follow) {
    text.push_back(kReplacementCharacter);
    high = 0;
  }
  *pending_high = static_cast<char16_t>(high);
  return toUtf8(text);
}

}  // namespace quorvale
