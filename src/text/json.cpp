#include "text/json.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <string>

#include "text/decimal.h"
#include "text/utf8.h"

namespace quorvale {

namespace {

bool needsEscape(char32_t c) { return c < 0x20 || c == U'"' || c == U'\\' || c == 0x7F; }

// The escape of a character that needs one.
std::string_view escapeOf(char32_t c, std::array<char, 6>& room) {
  switch (c) {
    case U'"':
      return "\\\"";
    case U'\\':
      return "\\\\";
    case U'\n':
      return "\\n";
    case U'\t':
      return "\\t";
    default: {
      constexpr char kHex[] = "0123456789abcdef";
      room = {'\\', 'u', '0', '0', kHex[(c >> 4) & 0xF], kHex[c & 0xF]};
      return {room.data(), room.size()};
    }
  }
}

}  // namespace

JsonWriter::JsonWriter(Output& out) : out_(out) {}

JsonWriter::~JsonWriter() { flush(); }

void JsonWriter::put(std::string_view ascii) {
  if (ascii.size() > held_.size() - held_size_) {
    flush();
    if (ascii.size() > held_.size()) {
      out_.writeAscii(ascii);
      return;
    }
  }
  std::memcpy(held_.data() + held_size_, ascii.data(), ascii.size());
  held_size_ += ascii.size();
}

void JsonWriter::flush() {
  if (held_size_ != 0) {
    out_.writeAscii({held_.data(), held_size_});
    held_size_ = 0;
  }
}

void JsonWriter::beforeItem(Level& level) {
  constexpr std::string_view kBetween[2][2] = {{"", "\n"}, {",", ",\n"}};
  put(kBetween[level.empty ? 0 : 1][level.lines ? 1 : 0]);
  level.empty = false;
}

void JsonWriter::beforeValue() {
  if (depth_ == 0) {
    assert(!written_);
    written_ = true;
    return;
  }
  Level& level = levels_[depth_ - 1];
  if (level.object) {
    assert(level.keyed);
    level.keyed = false;
    return;
  }
  beforeItem(level);
}

void JsonWriter::open(bool object, Layout layout) {
  beforeValue();
  assert(depth_ < kMostDepth);
  levels_[depth_++] = Level{.object = object, .lines = layout == Layout::kLines};
  put(object ? "{" : "[");
}

void JsonWriter::close(bool object) {
  assert(depth_ > 0 && levels_[depth_ - 1].object == object && !levels_[depth_ - 1].keyed);
  --depth_;
  put(object ? "}" : "]");
}

void JsonWriter::beginObject(Layout layout) { open(true, layout); }
void JsonWriter::endObject() { close(true); }
void JsonWriter::beginArray(Layout layout) { open(false, layout); }
void JsonWriter::endArray() { close(false); }

void JsonWriter::key(std::string_view name) {
  assert(depth_ > 0 && levels_[depth_ - 1].object && !levels_[depth_ - 1].keyed);
  Level& level = levels_[depth_ - 1];
  beforeItem(level);
  level.keyed = true;
  put("\"");
  put(name);
  put("\":");
}

void JsonWriter::putEscaped(std::u32string_view text) {
  std::array<char, 6> room{};
  for (const char32_t c : text) {
    if (needsEscape(c)) {
      put(escapeOf(c, room));
    } else {
      const char ascii = static_cast<char>(c);
      put({&ascii, 1});
    }
  }
}

void JsonWriter::string(std::u32string_view text) {
  beforeValue();
  put("\"");
  bool ascii = true;
  for (const char32_t c : text) {
    ascii = ascii && c < 0x80;
  }
  if (ascii) {
    putEscaped(text);
  } else {
    // Text beyond ASCII goes to the output as code points, for it to
    // encode; the held ASCII before it first.
    std::u32string escaped;
    escaped.reserve(text.size());
    std::array<char, 6> room{};
    for (const char32_t c : text) {
      if (needsEscape(c)) {
        appendAscii(escapeOf(c, room), escaped);
      } else {
        escaped += c;
      }
    }
    flush();
    out_.write(escaped);
  }
  put("\"");
}

void JsonWriter::asciiString(std::string_view text) {
  beforeValue();
  put("\"");
  std::array<char, 6> room{};
  std::size_t plain = 0;  // the characters from here on need no escape
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    assert(static_cast<unsigned char>(c) < 0x80);
    if (needsEscape(static_cast<char32_t>(c))) {
      put(text.substr(plain, i - plain));
      put(escapeOf(static_cast<char32_t>(c), room));
      plain = i + 1;
    }
  }
  put(text.substr(plain));
  put("\"");
}

void JsonWriter::plainString(std::string_view text) {
  assert(std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
  }));
  beforeValue();
  put("\"");
  put(text);
  put("\"");
}

void JsonWriter::number(std::string_view text) {
  beforeValue();
  put(text);
}

void JsonWriter::number(std::int64_t value) { number(std::to_string(value)); }

void JsonWriter::boolean(bool value) {
  beforeValue();
  put(value ? "true" : "false");
}

void JsonWriter::null() {
  beforeValue();
  put("null");
}

void JsonWriter::fragment(std::string_view json) {
  beforeValue();
  put(json);
}

void JsonWriter::end() {
  assert(written_ && depth_ == 0);
  put("\n");
  flush();
}

void writeChance(const Ratio& chance, JsonWriter& json) { writeFraction(chance, json); }

void writeFraction(const Ratio& chance, JsonWriter& json) {
  const FractionDigits parts = lowestTermsDigits(chance);
  json.beginObject();
  json.key("numerator");
  json.asciiString(parts.numerator);
  json.key("denominator");
  json.asciiString(parts.denominator);
  json.key("value");
  json.number(jsonValue(chance));
  json.endObject();
}

void writeErrorJson(std::u32string_view text, std::string_view input, Output& out) {
  JsonWriter json(out);
  json.beginObject();
  json.key("error");
  json.string(text);
  if (!input.empty()) {
    json.key("input");
    json.asciiString(input);
  }
  json.endObject();
  json.end();
}

}  // namespace quorvale
