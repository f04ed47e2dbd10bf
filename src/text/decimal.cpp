#include "text/decimal.h"

#include <cstdint>

#include "text/exact.h"
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

std::u32string percentBeside(const Ratio& share, const Ratio& threshold, Language language) {
  // Hundredths of a per cent are ten-thousandths of the share: rounded up
  // when the share is above the threshold, down when it is not.
  const bool above =
      share.numerator * threshold.denominator > threshold.numerator * share.denominator;
  const Integer scaled = share.numerator * 10000;
  Integer hundredths = scaled / share.denominator;
  if (above && hundredths * share.denominator != scaled) {
    ++hundredths;
  }
  return widenAscii(scaledDigits(hundredths, 2, decimalPoint(language))) + U" %";
}

namespace {

// Drops the zeros at the end of a decimal with a point, and the point when
// nothing follows it.
void dropTrailingZeros(std::string& text) {
  if (text.find('.') == std::string::npos) {
    return;
  }
  while (text.back() == '0') {
    text.pop_back();
  }
  if (text.back() == '.') {
    text.pop_back();
  }
}

}  // namespace

std::string jsonValue(const Ratio& value) {
  constexpr int kFigures = 6;
  if (value.numerator == 0) {
    return "0";
  }
  // The decimal exponent: 10^exponent <= value < 10^(exponent + 1).
  int exponent = 0;
  if (value.numerator >= value.denominator) {
    Integer bound = value.denominator * 10;
    while (value.numerator >= bound) {
      bound *= 10;
      ++exponent;
    }
  } else {
    Integer raised = value.numerator;
    while (raised < value.denominator) {
      raised *= 10;
      --exponent;
    }
  }
  // The value's first six figures, rounded: 100000 to 999999, or 10^6 when
  // the rounding carries into a seventh.
  const int shift = kFigures - 1 - exponent;
  Ratio scaled = value;
  if (shift >= 0) {
    scaled.numerator *= power(Integer(10), static_cast<unsigned>(shift));
  } else {
    scaled.denominator *= power(Integer(10), static_cast<unsigned>(-shift));
  }
  Integer figures = roundedScaled(scaled, 0);
  if (figures == power(Integer(10), kFigures)) {
    figures /= 10;
    ++exponent;
  }
  const std::string digits = decimalDigits(figures);
  std::string text;
  if (exponent >= -4 && exponent < kFigures) {
    if (exponent >= 0) {
      const auto whole = static_cast<std::size_t>(exponent) + 1;
      text = digits.substr(0, whole) + "." + digits.substr(whole);
    } else {
      text = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    dropTrailingZeros(text);
    return text;
  }
  text = digits.substr(0, 1) + "." + digits.substr(1);
  dropTrailingZeros(text);
  return text + "e" + std::to_string(exponent);
}

FractionDigits lowestTermsDigits(const Ratio& value) {
  const Ratio lowest = lowestTerms(value);
  return {decimalDigits(lowest.numerator), decimalDigits(lowest.denominator)};
}

}  // namespace quorvale
