#include "text/decimal.h"

#include <cstdint>

#include "text/utf8.h"

namespace quorvale {

namespace {

// The digits of a rounded scaled value, with the point before the last
// `digits` of them.
std::string scaledDigits(const Integer& scaled, int digits, char point) {
  std::string text = decimalDigits(scaled);
  if (digits == 0) {
    return text;
  }
  const auto width = static_cast<std::size_t>(digits) + 1;
  if (text.size() < width) {
    text.insert(0, width - text.size(), '0');
  }
  text.insert(text.size() - static_cast<std::size_t>(digits), 1, point);
  return text;
}

char decimalPoint(Language language) { return language == Language::Russian ? ',' : '.'; }

}  // namespace

std::u32string decimalText(const Ratio& value, int digits, Language language) {
  return widenAscii(scaledDigits(roundedScaled(value, digits), digits, decimalPoint(language)));
}

std::u32string percentText(const Ratio& share, Language language) {
  // Tenths of a per cent are thousandths of the share.
  const Integer tenths = roundedScaled(share, 3);
  std::u32string text;
  if (tenths == 0) {
    text = U"< ";
    text += widenAscii(scaledDigits(Integer(1), 1, decimalPoint(language)));
  } else if (tenths == 1000 && share.numerator < share.denominator) {
    text = U"> ";
    text += widenAscii(scaledDigits(Integer(999), 1, decimalPoint(language)));
  } else {
    text = widenAscii(scaledDigits(tenths, 1, decimalPoint(language)));
  }
  text += U" %";
  return text;
}

std::string jsonNumber(const Ratio& value, int digits) {
  std::string text = scaledDigits(roundedScaled(value, digits), digits, '.');
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') {
      text.pop_back();
    }
    if (text.back() == '.') {
      text.pop_back();
    }
  }
  return text;
}

}  // namespace quorvale
