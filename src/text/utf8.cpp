#include "text/utf8.h"

#include <cassert>

namespace quorvale {

void appendUtf8(std::u32string_view text, std::string& out) {
  for (char32_t c : text) {
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
      c = kReplacementCharacter;
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
}

std::string toUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  appendUtf8(text, out);
  return out;
}

void appendAscii(std::string_view ascii, std::u32string& out) {
  for (const char c : ascii) {
    assert(static_cast<unsigned char>(c) < 0x80);
    out += static_cast<char32_t>(c);
  }
}

std::u32string widenAscii(std::string_view ascii) {
  std::u32string text;
  appendAscii(ascii, text);
  return text;
}

std::size_t decodeUtf8At(std::string_view bytes, std::size_t pos, bool more_may_follow,
                         char32_t* out) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(pos);
  *out = kReplacementCharacter;
  if (lead < 0x80) {
    *out = lead;
    return 1;
  }
  // The length of the sequence and the allowed range of its second byte,
  // which rules out overlong forms, surrogates and values above U+10FFFF.
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) {
      low = 0xA0;
    }
    if (lead == 0xED) {
      high = 0x9F;
    }
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) {
      low = 0x90;
    }
    if (lead == 0xF4) {
      high = 0x8F;
    }
  } else {
    return 1;  // a continuation byte or a byte that never starts a sequence
  }
  char32_t code = lead & (0xFF >> (length + 1));
  for (std::size_t k = 1; k < length; ++k) {
    if (pos + k >= bytes.size()) {
      return more_may_follow ? 0 : 1;
    }
    const unsigned char b = byte(pos + k);
    const unsigned char lo = k == 1 ? low : 0x80;
    const unsigned char hi = k == 1 ? high : 0xBF;
    if (b < lo || b > hi) {
      return 1;
    }
    code = (code << 6) | (b & 0x3F);
  }
  *out = code;
  return length;
}

std::u32string fromUtf8(std::string_view bytes) {
  std::u32string text;
  text.reserve(bytes.size());
  for (std::size_t pos = 0; pos < bytes.size();) {
    char32_t c;
    pos += decodeUtf8At(bytes, pos, /*more_may_follow=*/false, &c);
    text.push_back(c);
  }
  return text;
}

}  // namespace quorvale
