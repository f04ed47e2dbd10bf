#include "text/json.h"

namespace quorvale {

void appendJsonString(std::u32string_view text, std::u32string& out) {
  constexpr char kHex[] = "0123456789abcdef";
  out += U'"';
  for (const char32_t c : text) {
    switch (c) {
      case U'"':
        out += U"\\\"";
        break;
      case U'\\':
        out += U"\\\\";
        break;
      case U'\n':
        out += U"\\n";
        break;
      case U'\t':
        out += U"\\t";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          out += U"\\u00";
          out += static_cast<char32_t>(kHex[c >> 4]);
          out += static_cast<char32_t>(kHex[c & 0xF]);
        } else {
          out += c;
        }
    }
  }
  out += U'"';
}

void appendJsonKey(std::u32string_view key, std::u32string& out) {
  appendJsonString(key, out);
  out += U':';
}

void appendJsonAscii(std::string_view ascii, std::u32string& out) {
  for (const char c : ascii) {
    out += static_cast<char32_t>(static_cast<unsigned char>(c));
  }
}

}  // namespace quorvale
