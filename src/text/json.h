#ifndef QUORVALE_TEXT_JSON_H_
#define QUORVALE_TEXT_JSON_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/output.h"

namespace quorvale {

struct Ratio;  // text/exact.h

// The one writer of the JSON the program writes for scripts and the web
// page. It owns the commas, the nesting, the keys, the escaping of texts
// and the line end that ends a document, and streams: what it is given
// goes on to the output in pieces of a few KB, so a document of any size
// (the members of the largest litter) is written in constant memory.
//
// A document is one value, usually an object, written by the calls in
// order, as it reads:
//
//   JsonWriter json(out);
//   json.beginObject();
//   json.key("line");
//   json.string(U"SH Golden");
//   json.endObject();
//   json.end();                           // {"line":"SH Golden"} and "\n"
//
// Keys are English ASCII; texts are UTF-8 once the output encodes them,
// with '"', '\', the line feed and the tab escaped as \", \\, \n and \t,
// every other control character and DEL as \u00XX, and everything else
// (Cyrillic included) as it is. Numbers are written as given (decimal, no
// locale). Nothing else may write to the output while a document is open.
class JsonWriter {
 public:
  // Where the items of an object or an array stand: on the line it opens
  // on, or each on a line of its own (so that line tools can read a long
  // list a line at a time). The closing bracket follows the last item.
  enum class Layout : std::uint8_t { kInline, kLines };

  // The most objects and arrays open at once (the deepest document, a
  // task's carrier chance, is 9 deep).
  static constexpr std::size_t kMostDepth = 16;

  explicit JsonWriter(Output& out);
  // Passes on what is still held. A document is ended by end().
  ~JsonWriter();

  JsonWriter(const JsonWriter&) = delete;
  JsonWriter& operator=(const JsonWriter&) = delete;

  // REQUIRES: fewer than kMostDepth objects and arrays open.
  void beginObject(Layout layout = Layout::kInline);
  // REQUIRES: an object is open and no key waits for its value.
  void endObject();
  void beginArray(Layout layout = Layout::kInline);
  // REQUIRES: an array is open.
  void endArray();

  // The key of the next value of the object that is open.
  // REQUIRES: an object is open; name is ASCII that needs no escaping.
  void key(std::string_view name);

  // Values: each is an item of the array that is open, the value of the
  // key just written, or the document itself.
  void string(std::u32string_view text);
  // REQUIRES: text is ASCII.
  void asciiString(std::string_view text);
  // A string that needs no escaping, written as it is without looking: the
  // millions of genotype texts of a litter's members.
  // REQUIRES: text is ASCII letters, digits and '-' only.
  void plainString(std::string_view text);
  // REQUIRES: text is a JSON number ("12", "0.25", "3.1e-7").
  void number(std::string_view text);
  void number(std::int64_t value);
  void boolean(bool value);
  void null();
  // A value written before by a JsonWriter (for one that many items share,
  // written once).
  // REQUIRES: json is one whole JSON value, in ASCII.
  void fragment(std::string_view json);

  // Ends the document: its line end, and everything passed on to the
  // output.
  // REQUIRES: one value written, every object and array closed.
  void end();

 private:
  struct Level {
    bool object = false;
    bool lines = false;
    bool empty = true;
    bool keyed = false;  // a key waits for its value
  };

  // What goes before a value: the comma and line end between items.
  void beforeValue();
  void beforeItem(Level& level);
  void open(bool object, Layout layout);
  void close(bool object);
  void put(std::string_view ascii);
  void putEscaped(std::u32string_view text);
  void flush();

  // Held ASCII is passed on once the room is full.
  static constexpr std::size_t kHeldBytes = 8192;

  Output& out_;
  std::array<char, kHeldBytes> held_;  // ASCII not yet passed on: the first held_size_
  std::size_t held_size_ = 0;
  std::array<Level, kMostDepth> levels_{};
  std::size_t depth_ = 0;
  bool written_ = false;  // the document's value has begun
};

// A chance as every JSON document writes one: an object {"numerator",
// "denominator", "value"}, the two parts as strings of decimal digits in
// lowest terms (so that chances of any size keep every digit in a script's
// hands, past the 2^53 that JavaScript and jq keep exactly) and value its
// decimal from 0 to 1, as jsonValue writes it (text/decimal.h).
// REQUIRES: 0 <= chance <= 1.
void writeChance(const Ratio& chance, JsonWriter& json);

// Any fraction that is not negative in the same form (a factor of odds,
// which may be above 1).
void writeFraction(const Ratio& value, JsonWriter& json);

// A whole document {"error": TEXT}, with "input": INPUT after it when the
// error is about one field of a request (INPUT names it).
void writeErrorJson(std::u32string_view text, std::string_view input, Output& out);

}  // namespace quorvale

#endif  // QUORVALE_TEXT_JSON_H_
