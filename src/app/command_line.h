#ifndef QUORVALE_APP_COMMAND_LINE_H_
#define QUORVALE_APP_COMMAND_LINE_H_

#include <span>
#include <string>
#include <vector>

#include "app/stock_command.h"
#include "text/language.h"
#include "text/output.h"

namespace quorvale {

// The exit statuses of the command line.
inline constexpr int kExitDone = 0;
inline constexpr int kExitInvalidInput = 1;  // a genotype or task number that is not valid
inline constexpr int kExitUsage = 2;         // the command line itself is wrong
inline constexpr int kExitOutputFailed = 3;  // standard output could not be written

// How a command ended: its exit status, and the language it answered in
// (for a line the caller still writes: that the output failed).
struct CommandOutcome {
  int status = kExitDone;
  Language language = Language::English;
};

// Runs the command the words ask for (the words after the program's name;
// app/arguments.h says how they are read), for scripts: it never prompts,
// never waits for a key and never reads standard input. The answer goes to
// out; each line for standard error is added to error_lines, without its
// line end. Every word is checked before anything is written, so an answer
// is whole or absent. default_language is used without --lang.
// kExitOutputFailed is the caller's to return: it alone knows whether the
// output failed.
// REQUIRES: words is not empty.
// read_file reads the files a command names (platform::readFile, or a
// stand-in in tests).
CommandOutcome runCommandLine(std::span<const std::u32string> words, Language default_language,
                              const FileReader& read_file, Output& out,
                              std::vector<std::u32string>& error_lines);

}  // namespace quorvale

#endif  // QUORVALE_APP_COMMAND_LINE_H_
