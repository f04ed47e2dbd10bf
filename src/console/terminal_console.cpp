#include "console/terminal_console.h"

#include "console/platform.h"

namespace quorvale {

std::size_t TerminalConsole::StdinSource::read(char* buffer, std::size_t capacity) {
  console_.flush();
  // Output that can no longer be written ends the dialogue: answering
  // questions nobody can see would only burn the rest of the input.
  if (console_.outputFailed()) {
    return 0;
  }
  return platform::readInput(buffer, capacity);
}

TerminalConsole::TerminalConsole() : source_(*this), reader_(source_) {}

void TerminalConsole::flush() { stdout_.flush(); }

std::optional<char32_t> TerminalConsole::readChar() {
  if (outputFailed()) {
    return std::nullopt;
  }
  return reader_.readChar();
}

bool TerminalConsole::readWord(WordConsumer& consumer) {
  if (outputFailed()) {
    return false;
  }
  return reader_.readWord(consumer);
}

void TerminalConsole::waitForKey() {
  flush();
  if (outputFailed()) {
    return;
  }
  platform::waitForKeyPress();
}

void TerminalConsole::inputEnded() {
  if (platform::outputIsTerminal()) {
    stdout_.out().writeAscii("\n");
  }
}

}  // namespace quorvale
