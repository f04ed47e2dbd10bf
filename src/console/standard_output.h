#ifndef QUORVALE_CONSOLE_STANDARD_OUTPUT_H_
#define QUORVALE_CONSOLE_STANDARD_OUTPUT_H_

#include <string_view>

#include "console/buffered_output.h"
#include "text/output.h"

namespace quorvale {

// Standard output as the program writes it: UTF-8 bytes through one
// BufferedOutput, in pieces of the size standard output takes best, and at
// every line end when it is a terminal. The dialogue's console and the
// command line both write through it. The first failed write is final (see
// BufferedOutput).
class StandardOutput {
 public:
  StandardOutput();

  StandardOutput(const StandardOutput&) = delete;
  StandardOutput& operator=(const StandardOutput&) = delete;

  Output& out() { return buffer_; }

  // Hands everything written so far to standard output.
  void flush() { buffer_.flush(); }

  // True once standard output could not be written.
  bool failed() const { return buffer_.failed(); }

 private:
  class Sink : public ByteSink {
   public:
    bool write(std::string_view bytes) override;
  };

  Sink sink_;
  BufferedOutput buffer_;
};

}  // namespace quorvale

#endif  // QUORVALE_CONSOLE_STANDARD_OUTPUT_H_
