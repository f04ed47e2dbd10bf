#ifndef QUORVALE_CONSOLE_TERMINAL_CONSOLE_H_
#define QUORVALE_CONSOLE_TERMINAL_CONSOLE_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "console/console.h"
#include "console/input_reader.h"
#include "console/standard_output.h"

namespace quorvale {

// The console of a real run: standard input decoded as UTF-8, standard
// output written as UTF-8 through one BufferedOutput in pieces of the size
// the output takes best (flushed as console.h says), and the key press taken
// from the terminal itself.
//
// When standard output fails, nothing more is written and every later read
// reports the end of input, so the dialogue winds down at its next question;
// the caller then sees outputFailed() and ends with a failure status.
class TerminalConsole : public Console {
 public:
  TerminalConsole();

  TerminalConsole(const TerminalConsole&) = delete;
  TerminalConsole& operator=(const TerminalConsole&) = delete;

  Output& out() override { return stdout_.out(); }
  void flush() override;
  std::optional<char32_t> readChar() override;
  bool readWord(WordConsumer& consumer) override;
  void waitForKey() override;
  void inputEnded() override;

  // True once standard output could not be written.
  bool outputFailed() const { return stdout_.failed(); }

 private:
  // Standard input, flushing the output before each blocking read so the
  // user sees the question before the program waits for the answer.
  class StdinSource : public ByteSource {
   public:
    explicit StdinSource(TerminalConsole& console) : console_(console) {}
    std::size_t read(char* buffer, std::size_t capacity) override;

   private:
    TerminalConsole& console_;
  };

  StandardOutput stdout_;
  StdinSource source_;
  InputReader reader_;
};

}  // namespace quorvale

#endif  // QUORVALE_CONSOLE_TERMINAL_CONSOLE_H_
