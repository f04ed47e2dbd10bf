// The program's entry: without arguments, one dialogue on the real console;
// with arguments, one command for scripts (app/command_line.h).

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/arguments.h"
#include "app/command_line.h"
#include "app/dialogue.h"
#include "app/usage.h"
#include "console/platform.h"
#include "console/standard_output.h"
#include "console/terminal_console.h"
#include "text/utf8.h"

namespace {

constexpr const char* kCannotWrite = "quorvale: cannot write to standard output";

int dialogue() {
  quorvale::TerminalConsole console;
  const int status = quorvale::runDialogue(console);
  console.flush();
  if (console.outputFailed()) {
    quorvale::platform::writeDiagnostic(kCannotWrite);
    return EXIT_FAILURE;
  }
  return status;
}

std::optional<std::string> environmentVariable(const char* name) {
  const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe): one thread
  return value == nullptr ? std::nullopt : std::optional<std::string>(value);
}

int commandLine(const std::vector<std::string>& arguments) {
  std::vector<std::u32string> words;
  words.reserve(arguments.size());
  for (const std::string& argument : arguments) {
    words.push_back(quorvale::fromUtf8(argument));
  }
  const std::optional<std::string> locale[] = {environmentVariable("LC_ALL"),
                                               environmentVariable("LC_MESSAGES"),
                                               environmentVariable("LANG")};
  quorvale::StandardOutput output;
  std::vector<std::u32string> error_lines;
  const quorvale::CommandOutcome outcome =
      quorvale::runCommandLine(words, quorvale::environmentLanguage(locale),
                               quorvale::platform::readFile, output.out(), error_lines);
  output.flush();
  for (const std::u32string& line : error_lines) {
    quorvale::platform::writeDiagnostic(quorvale::toUtf8(line));
  }
  if (output.failed()) {
    quorvale::platform::writeDiagnostic(
        quorvale::toUtf8(quorvale::cannotWriteText(outcome.language)));
    return quorvale::kExitOutputFailed;
  }
  return outcome.status;
}

}  // namespace

int main(int argc, char** argv) {
  quorvale::platform::prepareConsole();
  const std::vector<std::string> arguments = quorvale::platform::commandLineArguments(argc, argv);
  return arguments.empty() ? dialogue() : commandLine(arguments);
}
