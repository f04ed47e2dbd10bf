#ifndef QUORVALE_CONSOLE_BUFFERED_OUTPUT_H_
#define QUORVALE_CONSOLE_BUFFERED_OUTPUT_H_

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

// An Output that collects UTF-8 bytes and hands them to a sink in large
// pieces: when the buffer fills, at flush(), and, when line_buffered, at
// every line end. The first failed write is final: the buffer is dropped,
// nothing more reaches the sink, and failed() stays true, so a lost piece
// can never be followed by later text as if nothing had happened.
class BufferedOutput : public Output {
 public:
  // REQUIRES: sink outlives this object.
  BufferedOutput(ByteSink& sink, bool line_buffered);

  void write(std::u32string_view text) override;
  void writeAscii(std::string_view text) override;

  // Hands everything buffered to the sink.
  void flush();

  // True once a write to the sink has failed.
  bool failed() const { return failed_; }

 private:
  // Flushes when the buffer is full or a line ended on a line-buffered sink.
  void afterAppend(bool wrote_line_end);

  // Hands bytes to the sink unless an earlier write failed; a failure here
  // makes failed() true and drops the buffer.
  void send(std::string_view bytes);

  ByteSink& sink_;
  const bool line_buffered_;
  bool failed_ = false;
  std::string buffer_;
};

}  // namespace quorvale

#endif  // QUORVALE_CONSOLE_BUFFERED_OUTPUT_H_
