#include "app/arguments.h"

#include <algorithm>
#include <string_view>

#include "litter/report.h"
#include "stock/prove.h"

namespace quorvale {

namespace {

struct CommandName {
  std::u32string_view name;
  Command command;
};

// "colour" is taken for "color": the program's English is British but its
// colour names are written "color", as its users type them.
constexpr CommandName kCommands[] = {
    {U"color", Command::Color},         {U"colour", Command::Color},  {U"litter", Command::Litter},
    {U"task", Command::Task},           {U"colors", Command::Colors}, {U"colours", Command::Colors},
    {U"genotypes", Command::Genotypes}, {U"stock", Command::Stock},   {U"prove", Command::Prove},
};

// The commands an option goes with, one bit per Command.
using CommandSet = unsigned;
constexpr CommandSet bit(Command c) { return 1u << static_cast<unsigned>(c); }
constexpr CommandSet kAnyCommand = ~0u;

enum class OptionId : std::uint8_t {
  Lang,
  Help,
  Version,
  Json,
  Members,
  Easy,
  NoAnswer,
  Percent,
  Pups,
  Carriers,
  Sort,
  Stock,
  Possible,
  Confidence,
  Find,
};

// What an option given more than once means. Most options say one thing
// (a language, a number of young), and the last one given counts, the
// others are not looked at; an option that accumulates takes each value
// given, in order (each is checked).
enum class Repeats : std::uint8_t { LastCounts, Accumulates };

struct OptionSpec {
  std::u32string_view name;
  OptionId id;
  bool takes_value;
  CommandSet commands;
  Repeats repeats = Repeats::LastCounts;
};

constexpr CommandSet kLitters = bit(Command::Litter) | bit(Command::Task);

constexpr OptionSpec kOptions[] = {
    {U"--lang", OptionId::Lang, true, kAnyCommand},
    {U"--help", OptionId::Help, false, kAnyCommand},
    {U"-h", OptionId::Help, false, kAnyCommand},
    {U"--version", OptionId::Version, false, kAnyCommand},
    {U"--json", OptionId::Json, false, kAnyCommand},
    {U"--members", OptionId::Members, false, kLitters},
    {U"--easy", OptionId::Easy, false, bit(Command::Task)},
    {U"--no-answer", OptionId::NoAnswer, false, bit(Command::Task)},
    {U"--percent", OptionId::Percent, false, kLitters},
    {U"--pups", OptionId::Pups, true, kLitters | bit(Command::Prove)},
    {U"--carriers", OptionId::Carriers, false, kLitters},
    {U"--sort", OptionId::Sort, true, kLitters},
    {U"--stock", OptionId::Stock, true, bit(Command::Litter)},
    {U"--possible", OptionId::Possible, true, bit(Command::Litter)},
    {U"--confidence", OptionId::Confidence, true, bit(Command::Prove), Repeats::Accumulates},
    {U"--find", OptionId::Find, true, bit(Command::Litter)},
};

const OptionSpec* findOption(std::u32string_view name) {
  for (const OptionSpec& option : kOptions) {
    if (option.name == name) {
      return &option;
    }
  }
  return nullptr;
}

// Sets the option's effect on invocation; false when its value is bad.
bool apply(const OptionSpec& option, std::u32string_view value, Invocation& invocation) {
  switch (option.id) {
    case OptionId::Lang:
      if (value == U"en") {
        invocation.language = Language::English;
      } else if (value == U"ru") {
        invocation.language = Language::Russian;
      } else {
        return false;
      }
      return true;
    case OptionId::Help:
      invocation.help = true;
      return true;
    case OptionId::Version:
      invocation.version = true;
      return true;
    case OptionId::Members:
      invocation.report.members = true;
      return true;
    case OptionId::Easy:
      invocation.easy = true;
      return true;
    case OptionId::NoAnswer:
      invocation.no_answer = true;
      return true;
    case OptionId::Json:
      invocation.json = true;
      return true;
    case OptionId::Percent:
      invocation.report.percent = true;
      return true;
    case OptionId::Pups: {
      const std::optional<int> size = litterSize(value);
      invocation.report.pups = size.value_or(0);
      return size.has_value();
    }
    case OptionId::Carriers:
      invocation.report.carriers = true;
      return true;
    case OptionId::Sort:
      invocation.report.by_share = value == U"share";
      return value == U"share" || value == U"text";
    case OptionId::Stock:
      invocation.stock_file = std::u32string(value);
      return !value.empty();
    case OptionId::Possible:
      invocation.all_possible = value == U"all";
      return value == U"all" || value == U"one";
    case OptionId::Confidence:
      invocation.confidences.emplace_back(value);
      return readConfidence(value).has_value();
    case OptionId::Find:
      invocation.find = std::u32string(value);
      return true;
  }
  return false;
}

// Whether the command takes this many words.
bool takesWords(Command command, std::size_t count) {
  switch (command) {
    case Command::Color:
    case Command::Task:
      return count >= 1;
    case Command::Litter:
      return count == 2;
    case Command::Colors:
      return true;
    case Command::Genotypes:
    case Command::Stock:
      return count >= 1;
    case Command::Prove:
      return count >= 2;
    case Command::None:
      return count == 0;
  }
  return false;
}

}  // namespace

ParsedArguments parseArguments(std::span<const std::u32string> words) {
  ParsedArguments parsed;
  Invocation& invocation = parsed.invocation;
  std::optional<UsageError> first_error;
  const auto fail = [&](UsageFault fault, std::u32string_view subject,
                        std::u32string_view value = U"", Command command = Command::None) {
    if (!first_error) {
      first_error = UsageError{fault, std::u32string(subject), std::u32string(value), command};
    }
  };
  // The options met, to check against the command once it is known.
  std::vector<const OptionSpec*> used;
  // The values to apply, in the order given: of an option whose last one
  // counts, only the last (in the place of the first).
  struct Given {
    const OptionSpec* option;
    std::u32string_view name;
    std::u32string_view value;
  };
  std::vector<Given> given;

  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::u32string_view word = words[i];
    const bool dashed = word.starts_with(U'-') && word != U"--";
    if (!dashed) {
      if (invocation.command == Command::None) {
        const CommandName* found = nullptr;
        for (const CommandName& c : kCommands) {
          if (c.name == word) {
            found = &c;
          }
        }
        if (found == nullptr) {
          fail(UsageFault::UnknownCommand, word);
          continue;
        }
        invocation.command = found->command;
      } else {
        invocation.words.emplace_back(word);
      }
      continue;
    }
    const std::size_t equals = word.find(U'=');
    const std::u32string_view name = word.substr(0, equals);
    const OptionSpec* option = findOption(name);
    if (option == nullptr || (equals != std::u32string_view::npos && !option->takes_value)) {
      // After "task", anything that is no option is a task number.
      if (invocation.command == Command::Task) {
        invocation.words.emplace_back(word);
      } else {
        fail(UsageFault::UnknownOption, word);
      }
      continue;
    }
    std::u32string_view value;
    if (option->takes_value) {
      if (equals != std::u32string_view::npos) {
        value = word.substr(equals + 1);
      } else if (i + 1 < words.size()) {
        value = words[++i];
      } else {
        fail(UsageFault::MissingValue, name);
        continue;
      }
    }
    const auto same = std::find_if(given.begin(), given.end(), [&](const Given& g) {
      return g.option->id == option->id && option->repeats == Repeats::LastCounts;
    });
    if (same != given.end()) {
      *same = {option, name, value};
    } else {
      given.push_back({option, name, value});
    }
    used.push_back(option);
  }
  for (const Given& g : given) {
    if (!apply(*g.option, g.value, invocation)) {
      fail(UsageFault::BadValue, g.name, g.value);
    }
  }

  if (invocation.help || invocation.version) {
    return parsed;
  }
  if (!first_error && invocation.command == Command::None) {
    fail(UsageFault::NoCommand, U"");
  }
  if (invocation.command != Command::None) {
    for (const OptionSpec* option : used) {
      if ((option->commands & bit(invocation.command)) == 0) {
        fail(UsageFault::OptionNotFor, option->name, U"", invocation.command);
      }
    }
    if (!takesWords(invocation.command, invocation.words.size())) {
      fail(UsageFault::WrongNumberOfWords, U"", U"", invocation.command);
    }
  }
  parsed.error = first_error;
  return parsed;
}

std::u32string_view commandName(Command command) {
  for (const CommandName& c : kCommands) {
    if (c.command == command) {
      return c.name;
    }
  }
  return U"";
}

Language environmentLanguage(std::span<const std::optional<std::string>> lc_all_messages_lang) {
  for (const std::optional<std::string>& value : lc_all_messages_lang) {
    if (value && !value->empty()) {
      return value->starts_with("ru") ? Language::Russian : Language::English;
    }
  }
  return Language::English;
}

}  // namespace quorvale
