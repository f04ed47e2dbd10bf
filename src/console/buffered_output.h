#ifndef QUORVALE_CONSOLE_BUFFERED_OUTPUT_H_
#define QUORVALE_CONSOLE_BUFFERED_OUTPUT_H_

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "text/output.h"

namespace quorvale {

// Where buffered bytes finally go: standard output, or a test's recorder.
class ByteSink {
 public:
  virtual ~ByteSink() = default;

  // Writes all of bytes. Returns false when they could not all be written.
  virtual bool write(std::string_view bytes) = 0;
};

// The one buffer between the program and its standard output. It collects
// UTF-8 bytes and hands them to the sink in pieces of exactly block_size
// bytes, the size the sink takes best, whenever a piece is full; the rest
// goes at flush() and, when line_buffered, whenever a line end was written.
// It knows nothing of what is written: the long reports fill its room in
// place (Output::asciiRoom), like any other writer.
//
// The first failed write is final: nothing more reaches the sink, later text
// is dropped, and failed() stays true, so a lost piece can never be followed
// by later text as if nothing had happened.
class BufferedOutput : public Output {
 public:
  // REQUIRES: sink outlives this object; block_size >= kMaxAsciiRoom.
  BufferedOutput(ByteSink& sink, std::size_t block_size, bool line_buffered);

  void write(std::u32string_view text) override;
  void writeAscii(std::string_view text) override;
  std::span<char> asciiRoom(std::size_t at_least) override;
  void commitAscii(std::size_t used) override;

  // Hands everything buffered to the sink.
  void flush();

  // True once a write to the sink has failed.
  bool failed() const { return failed_; }

 private:
  // Copies bytes into the buffer, passing on each piece that fills.
  void append(std::string_view bytes);

  // After bytes were added: passes on a full piece, and everything when a
  // line ended on a line-buffered sink.
  void afterAppend(bool wrote_line_end);

  // Hands bytes to the sink unless an earlier write failed; a failure here
  // makes failed() true.
  void send(std::string_view bytes);

  ByteSink& sink_;
  const std::size_t block_size_;
  const bool line_buffered_;
  bool failed_ = false;
  // block_size_ bytes and room for one more request beyond them.
  const std::size_t capacity_;
  std::unique_ptr<char[]> bytes_;
  std::size_t used_ = 0;  // below block_size_ between calls
  std::string utf8_;      // write()'s text encoded, before it is appended
};

}  // namespace quorvale

#endif  // QUORVALE_CONSOLE_BUFFERED_OUTPUT_H_
