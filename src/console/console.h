#ifndef QUORVALE_CONSOLE_CONSOLE_H_
#define QUORVALE_CONSOLE_CONSOLE_H_

#include <optional>

#include "text/output.h"

namespace quorvale {

// Takes the characters of one word as they are read, so that no word is
// ever held whole: a word may be longer than memory.
class WordConsumer {
 public:
  virtual ~WordConsumer() = default;

  // Takes the next character of the word. Returns false when the rest of
  // the word is not wanted; it is then skipped unseen.
  virtual bool take(char32_t c) = 0;
};

// What the dialogue needs from a terminal. The real one reads standard input
// as UTF-8 and writes UTF-8 to standard output; tests use one in memory.
//
// Flushing. What the user sees is the same as if every line end were
// flushed, yet a pipe or a file gets no system call per line. The console
// alone decides when its output leaves the process: before it waits for
// input from the system, before the key wait, when a piece of its buffer is
// full, and at every line end when standard output is a terminal. Its user
// adds one point, the end of each menu action, by calling flush().
class Console {
 public:
  virtual ~Console() = default;

  // Where the dialogue writes.
  virtual Output& out() = 0;

  // Makes everything written so far visible. The dialogue calls it at the
  // end of each menu action, the program once at its end.
  virtual void flush() = 0;

  // Skips ASCII white space and returns the next character; nothing at the
  // end of input.
  virtual std::optional<char32_t> readChar() = 0;

  // Skips ASCII white space and hands the characters up to the next white
  // space to consumer, in order; a word has at least one. Returns false,
  // handing over nothing, at the end of input. The rest of the line stays for
  // the next read.
  virtual bool readWord(WordConsumer& consumer) = 0;

  // Waits for one key on the controlling terminal, without echo and without
  // touching buffered input; returns at once when there is no terminal.
  virtual void waitForKey() = 0;

  // Told once, when the dialogue ends because the input has ended rather
  // than by option 5. The real console then ends the line on a terminal, so
  // the shell's prompt does not go on after the last question; nothing is
  // written anywhere else.
  virtual void inputEnded() {}
};

}  // namespace quorvale

#endif  // QUORVALE_CONSOLE_CONSOLE_H_
