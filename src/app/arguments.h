#ifndef QUORVALE_APP_ARGUMENTS_H_
#define QUORVALE_APP_ARGUMENTS_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "litter/report.h"
#include "text/language.h"

namespace quorvale {

// What the words of a command line ask for. The reader is written by hand,
// not with getopt_long, because "--" here is a genotype (the all-wild
// hamster), never the end of the options, and because a task number may
// begin with "-".

enum class Command : std::uint8_t { None, Color, Litter, Task, Colors, Genotypes, Stock, Prove };
inline constexpr int CommandCount = static_cast<int>(Command::Prove) + 1;

struct Invocation {
  Command command = Command::None;
  // The words after the command that are not options, in order.
  std::vector<std::u32string> words;
  std::optional<Language> language;  // --lang
  bool help = false;                 // --help, -h
  bool version = false;              // --version
  bool easy = false;                 // --easy: task
  bool no_answer = false;            // --no-answer: task
  bool json = false;                 // --json: any command
  // --stock FILE: litter's words are names of animals of the file.
  std::optional<std::u32string> stock_file;
  bool all_possible = false;  // --possible all (or one): litter of animals not fully known
  // --confidence P for prove, each as typed: the option may come several
  // times, and every value counts.
  std::vector<std::u32string> confidences;
  // What the report of a litter shows, for litter and task: --members,
  // --percent, --pups N, --carriers, --sort share|text. The command line's
  // report starts at "Male: ".
  ReportOptions report{.opening_line_feed = false,
                       .members = false,
                       .percent = false,
                       .pups = 0,
                       .carriers = false,
                       .by_share = false,
                       .find = std::nullopt};
  // --find WORDS: the colour looked for among the young of a litter, as
  // typed; read (into report.find) when the litter is worked out.
  std::optional<std::u32string> find;
};

// Why the words are not a command line the program takes: a usage error.
enum class UsageFault : std::uint8_t {
  NoCommand,           // options, but no command
  UnknownCommand,      // subject: the word
  UnknownOption,       // subject: the word
  MissingValue,        // subject: the option
  BadValue,            // subject: the option, value: what it was given
  OptionNotFor,        // subject: the option; the command
  WrongNumberOfWords,  // the command
};

struct UsageError {
  UsageFault fault = UsageFault::NoCommand;
  std::u32string subject;
  std::u32string value;
  Command command = Command::None;
};

struct ParsedArguments {
  Invocation invocation;
  std::optional<UsageError> error;  // the first fault met, if any
};

// The name a command is written with ("color", not "colour").
std::u32string_view commandName(Command command);

// Reads the words of a command line (after the program's name). Options
// may stand before or after the command and its words; "--name=value" and
// "--name value" both give a value; when an option comes twice, the last
// one counts and only its value is checked (but --confidence, which
// accumulates its values, each checked: the argument table says which
// options do). After the command "task", every word that is not an option
// is a task number, whatever it looks like ("-5" too); anywhere else a
// word that begins with "-" and is no option (but "--") is a usage error.
// With --help or --version no other fault is reported.
// REQUIRES: words is not empty (no words at all is the dialogue).
ParsedArguments parseArguments(std::span<const std::u32string> words);

// The language the environment asks for, from the values of LC_ALL,
// LC_MESSAGES and LANG in that order (nothing for an unset variable): the
// first of them that is set and not empty decides, Russian when it starts
// with "ru", otherwise English. The values are read as text, so no locale
// needs to exist.
Language environmentLanguage(std::span<const std::optional<std::string>> lc_all_messages_lang);

}  // namespace quorvale

#endif  // QUORVALE_APP_ARGUMENTS_H_
