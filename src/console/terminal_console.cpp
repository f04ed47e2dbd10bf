#include "console/terminal_console.h"

#include <algorithm>

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

bool TerminalConsole::StdoutSink::write(std::string_view bytes) {
  return platform::writeOutput(bytes);
}

TerminalConsole::TerminalConsole()
    : output_(sink_, std::max(platform::outputBlockSize(), Output::kMaxAsciiRoom),
              platform::outputIsTerminal()),
      source_(*this),
      reader_(source_) {}

void TerminalConsole::flush() { output_.flush(); }

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
    output_.writeAscii("\n");
  }
}

}  // namespace quorvale
