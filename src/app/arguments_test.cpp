#include "app/arguments.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "testing/test_support.h"

namespace quorvale {
namespace {

ParsedArguments parse(std::vector<std::u32string> words) { return parseArguments(words); }

TEST(Arguments, WordsOptionsAndTheWildGenotype) {
  // "--" is a genotype, options may follow the words, the last --lang counts.
  const ParsedArguments a = parse({U"--lang", U"ru", U"litter", U"--", U"ToY", U"--lang=en"});
  ASSERT_FALSE(a.error);
  EXPECT_EQ(a.invocation.command, Command::Litter);
  EXPECT_EQ(a.invocation.words, (std::vector<std::u32string>{U"--", U"ToY"}));
  EXPECT_EQ(a.invocation.language, Language::English);

  // After "task", anything that is no option is a task number.
  const ParsedArguments t = parse({U"task", U"-5", U"--x", U"--easy", U"7"});
  ASSERT_FALSE(t.error);
  EXPECT_EQ(t.invocation.words, (std::vector<std::u32string>{U"-5", U"--x", U"7"}));
  EXPECT_TRUE(t.invocation.easy);

  // --help wins over everything else.
  EXPECT_TRUE(parse({U"--bogus", U"-h"}).invocation.help);
}

TEST(Arguments, UsageErrors) {
  struct Case {
    std::vector<std::u32string> words;
    UsageFault fault;
  };
  const Case cases[] = {
      {{U"--lang", U"en"}, UsageFault::NoCommand},
      {{U"colr"}, UsageFault::UnknownCommand},
      {{U"genotypes"}, UsageFault::WrongNumberOfWords},
      {{U"-5", U"task", U"1"}, UsageFault::UnknownOption},  // before the command
      {{U"color", U"-x"}, UsageFault::UnknownOption},
      {{U"color", U"--members=1", U"ee"}, UsageFault::UnknownOption},
      {{U"color", U"ee", U"--lang"}, UsageFault::MissingValue},
      {{U"--lang=fr", U"color", U"ee"}, UsageFault::BadValue},
      {{U"color", U"--easy", U"ee"}, UsageFault::OptionNotFor},
      {{U"litter", U"ToY"}, UsageFault::WrongNumberOfWords},
      {{U"task"}, UsageFault::WrongNumberOfWords},
  };
  for (const Case& c : cases) {
    const ParsedArguments parsed = parse(c.words);
    ASSERT_TRUE(parsed.error) << testing::utf8(c.words[0]);
    EXPECT_EQ(parsed.error->fault, c.fault) << testing::utf8(c.words[0]);
  }
  // The command an error is about, as the command ("colour" is color).
  EXPECT_EQ(parse({U"colour", U"--easy", U"ee"}).error->command, Command::Color);
  EXPECT_EQ(parse({U"litter", U"ToY"}).error->command, Command::Litter);
}

TEST(Arguments, TheReportsOptions) {
  const ParsedArguments a =
      parse({U"task", U"1", U"--pups=08", U"--sort", U"share", U"--carriers", U"--members"});
  ASSERT_FALSE(a.error);
  EXPECT_EQ(a.invocation.report.pups, 8);
  EXPECT_TRUE(a.invocation.report.by_share && a.invocation.report.carriers &&
              a.invocation.report.members && !a.invocation.report.percent);
  EXPECT_FALSE(a.invocation.report.opening_line_feed);
  EXPECT_EQ(parse({U"litter", U"--pups", U"100", U"Ee", U"Ee"}).error->fault, UsageFault::BadValue);
}

TEST(Arguments, EnvironmentLanguage) {
  using Values = std::vector<std::optional<std::string>>;
  EXPECT_EQ(environmentLanguage(Values{std::nullopt, std::nullopt, "ru_RU.UTF-8"}),
            Language::Russian);
  // The first variable that is set and not empty decides.
  EXPECT_EQ(environmentLanguage(Values{"", "C", "ru_RU.UTF-8"}), Language::English);
  EXPECT_EQ(environmentLanguage(Values{std::nullopt, std::nullopt, std::nullopt}),
            Language::English);
}

}  // namespace
}  // namespace quorvale
