#ifndef QUORVALE_CONSOLE_INPUT_READER_H_
#define QUORVALE_CONSOLE_INPUT_READER_H_

#include <cstddef>
#include <optional>
#include <vector>

#include "console/console.h"

namespace quorvale {

// Where the reader gets its bytes: standard input, or a string in tests.
class ByteSource {
 public:
  virtual ~ByteSource() = default;

  // Reads up to capacity bytes into buffer. Returns how many, 0 at the end of
  // input (and every time after that).
  // REQUIRES: capacity > 0.
  virtual std::size_t read(char* buffer, std::size_t capacity) = 0;
};

// True for the six ASCII white-space characters that separate answers:
// space, TAB, LF, VT, FF and CR. Every other character, NUL and the
// non-ASCII spaces included, belongs to a word.
constexpr bool isAnswerSpace(char32_t c) { return c == U' ' || (c >= U'\t' && c <= U'\r'); }

// Splits a stream of UTF-8 bytes into the answers the dialogue asks for: one
// character, or one word. Invalid bytes become U+FFFD; a sequence cut short
// by the end of input too. The bytes are pulled from the source only when
// the buffered ones are used up, and a word's characters are handed on as
// they are decoded, so memory stays bounded by the buffer whatever the
// input.
class InputReader {
 public:
  // REQUIRES: source outlives the reader.
  explicit InputReader(ByteSource& source);

  InputReader(const InputReader&) = delete;
  InputReader& operator=(const InputReader&) = delete;

  // Skips white space and returns the next character; nothing at the end of
  // input.
  std::optional<char32_t> readChar();

  // Skips white space and hands the characters up to the next white space
  // (which stays unread) to consumer; once it declines one, the rest of the
  // word is skipped. Returns false, handing over nothing, at the end of
  // input.
  bool readWord(WordConsumer& consumer);

 private:
  // Decodes the character at the read position into *c and returns its
  // length in bytes, reading more from the source when the buffer holds only
  // part of it. Returns 0 at the end of input.
  std::size_t peek(char32_t* c);

  // Makes the buffer hold more unread bytes, keeping the unread ones.
  // Returns false when the source has no more.
  bool refill();

  // Skips white space; returns false at the end of input.
  bool skipSpace();

  ByteSource& source_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // first unread byte
  std::size_t end_ = 0;    // one past the last byte read from the source
  bool at_end_ = false;    // the source has reported the end of input
};

}  // namespace quorvale

#endif  // QUORVALE_CONSOLE_INPUT_READER_H_
