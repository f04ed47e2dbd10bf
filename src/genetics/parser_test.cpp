#include "genetics/parser.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "testing/test_support.h"
#include "text/genotype_error.h"
#include "text/language.h"
#include "text/messages.h"
#include "text/utf8.h"

namespace quorvale {
namespace {

// What a parse gives, as one comparable UTF-8 line: the error's text in the
// given language, or the counts of the genes given and the sex.
std::string outcome(std::u32string_view text, Sex sex, Language language = Language::English) {
  Genotype g;
  try {
    g = parseGenotype(text, sex);
  } catch (const GenotypeError& error) {
    return toUtf8(genotypeErrorText(error, language));
  }
  std::string result;
  for (GeneIndex i = 0; i < GeneCount; ++i) {
    if (g.alleleCount[i] != 0) {
      result += std::string(geneSymbol(i)) + " " + std::to_string(g.alleleCount[i]) + ", ";
    }
  }
  for (bool flag : g.expressed) {
    if (flag) {
      result += "expressed flag set! ";
    }
  }
  return result + "sex " + std::to_string(g.alleleCount[SexSlot]);
}

std::string english(MessageId id) { return toUtf8(messageText(id, Language::English)); }

const std::string kM1 = english(MessageId::CannotParse);
const std::string kM3 = english(MessageId::RepeatedGene);
const std::string kM17 = english(MessageId::YInFemale);
const std::string kM18 = english(MessageId::OneToInMale);
const std::string kM30 = english(MessageId::SkippedGeneHint);

struct Example {
  std::u32string input;
  Sex sex;
  std::string expected;
};

constexpr Sex kNone = Sex::Unspecified;
constexpr Sex kMale = Sex::Male;
constexpr Sex kFemale = Sex::Female;

TEST(ParseGenotype, WorkedExamples) {
  const std::vector<Example> examples = {
      {U"--", kNone, "sex 0"},
      {U"eeDgdgUu", kNone, "e 2, dg 1, u 1, sex 0"},
      {U"eE", kNone, "e 1, sex 0"},
      {U"EE", kNone, "sex 0"},
      {U"lglgll", kNone, "l 2, sex 0"},
      {U"LlLgLg", kNone, "l 1, lg 2, sex 0"},
      {U"eeToY", kNone, "e 2, to 2, sex 1"},
      {U"toY", kNone, "sex 1"},
      {U"toTo", kNone, "to 1, sex 2"},
      {U"toto", kFemale, "sex 2"},
      {U"ToYToY", kNone, "to 2, sex 1"},
      {U"ToYtoY", kNone, "to 2, sex 1"},
      {U"toYToY", kNone, "to 2, sex 1"},
      {U"ToTo", kMale, kM18},
      {U"ToY", kFemale, kM17},
      {U"ToToToY", kNone, kM17},
      {U"ToYToTo", kNone, kM3 + "ToTo"},
      {U"toYtoto", kMale, kM3 + "toto"},
      {U"eeE", kNone, kM1 + "E" + kM30},
      {U"eeDg", kNone, kM1 + "Dg" + kM30},
      {U"SaSaSa", kNone, kM1 + "Sa" + kM30},
      {U"ToToY", kNone, kM1 + "Y" + kM30},
      {U"Eeee", kNone, kM3 + "ee"},
      {U"UUuu", kNone, kM3 + "uu"},
      {U"Xx", kNone, kM1 + "Xx"},
      {U"DGdg", kNone, kM1 + "DGdg"},
      {U"dGdG", kNone, kM1 + "dGdG"},
      {U"EpEp", kNone, kM1 + "EpEp"},
      {U"Toy", kNone, kM1 + "Toy"},
      {U"TOYee", kNone, kM1 + "TOYe"},
      {U"ee--", kNone, kM1 + "--"},
  };
  for (const Example& e : examples) {
    EXPECT_EQ(outcome(e.input, e.sex), e.expected) << toUtf8(e.input);
  }
}

// Every token form of the notation, for genes of each class.
TEST(ParseGenotype, AcceptedTokens) {
  const std::vector<Example> tokens = {
      {U"ppaall", kNone, "p 2, a 2, l 2, sex 0"},
      {U"PpaALl", kNone, "p 1, a 1, l 1, sex 0"},
      {U"PPAALL", kNone, "sex 0"},
      {U"UU", kNone, "u 2, sex 0"},
      {U"uU", kNone, "u 1, sex 0"},
      {U"uu", kNone, "sex 0"},
      {U"cdcdrdrd", kNone, "cd 2, rd 2, sex 0"},
      {U"cdCdRdrd", kNone, "cd 1, rd 1, sex 0"},
      {U"CdCdRdRdDgDg", kNone, "sex 0"},
      {U"BaBaSaSaSgSgLgLgDsDs", kNone, "ba 2, sa 2, sg 2, lg 2, ds 2, sex 0"},
      {U"babasaSaSgsgLglgdsDs", kNone, "sa 1, sg 1, lg 1, ds 1, sex 0"},
      {U"ToTo", kNone, "to 2, sex 2"},
      {U"Toto", kFemale, "to 1, sex 2"},
      {U"toto", kNone, "sex 2"},
      {U"ToY", kMale, "to 2, sex 1"},
      {U"toY", kMale, "sex 1"},
      // Genes in any order, the sex-linked token anywhere.
      {U"ToYuUee", kNone, "e 2, u 1, to 2, sex 1"},
      {U"DsdsEe", kMale, "e 1, ds 1, sex 1"},
  };
  for (const Example& e : tokens) {
    EXPECT_EQ(outcome(e.input, e.sex), e.expected) << toUtf8(e.input);
  }
}

TEST(ParseGenotype, EmptyAndAllWildKeepTheSexPassedIn) {
  for (Sex sex : {kNone, kMale, kFemale}) {
    const std::string expected = "sex " + std::to_string(static_cast<int>(sex));
    EXPECT_EQ(outcome(U"", sex), expected);
    EXPECT_EQ(outcome(U"--", sex), expected);
  }
}

// Once a sex-linked token has set the sex, the rule for that sex holds for the
// rest of the text; the order of the checks decides the message.
TEST(ParseGenotype, SexLinkedTokens) {
  const std::vector<Example> cases = {
      {U"toYToY", kMale, "to 2, sex 1"},
      {U"ToYtoYtoY", kNone, "to 2, sex 1"},
      {U"toYtoY", kNone, "sex 1"},
      {U"ToYToTo", kMale, kM3 + "ToTo"},  // seen before male: message 3, not 18
      {U"toYToto", kNone, kM3 + "Toto"},
      {U"TotoToY", kNone, kM17},
      {U"toto", kMale, kM18},
      {U"eetoY", kFemale, kM17},
      {U"ToToToTo", kNone, kM3 + "ToTo"},
      {U"TOTO", kNone, kM1 + "TOTO"},
      {U"tOY", kNone, kM1 + "tOY"},
  };
  for (const Example& e : cases) {
    EXPECT_EQ(outcome(e.input, e.sex), e.expected) << toUtf8(e.input);
  }
}

// Characters that are no part of the notation are ordinary characters that
// match no symbol; each is one character, whatever its size in UTF-8 or
// UTF-16.
TEST(ParseGenotype, ForeignCharacters) {
  const std::vector<Example> cases = {
      {U"ee Uu", kNone, kM1 + " Uu"},                  // a blank, then Uu: three characters left
      {U"\u0435\u0435", kNone, kM1 + "\u0435\u0435"},  // Cyrillic ie twice
      {U"\u0415\u0435", kNone, kM1 + "\u0415\u0435" + kM30},  // Cyrillic IE ie: no folding
      {U"-", kNone, kM1 + "-" + kM30},
      {U"---", kNone, kM1 + "--"},
      {U"ee-", kNone, kM1 + "-" + kM30},
      {std::u32string(U"e\0e", 3), kNone, kM1 + "e^@e"},  // NUL is shown as ^@
      {std::u32string(U"\0\0", 2), kNone, kM1 + "^@^@"},
      {U"\U0001F439", kNone, kM1 + "\U0001F439" + kM30},
      {U"ee\U0001F439\U0001F439", kNone, kM1 + "\U0001F439\U0001F439"},
      {U"\U0001F439e", kNone, kM1 + "\U0001F439e" + kM30},
      {U"\uFFFD\uFFFD", kNone, kM1 + "\uFFFD\uFFFD"},
      {U"e\uFFFD\uFFFD", kNone, kM1 + "e\uFFFD\uFFFD"},
      {U"12", kNone, kM1 + "12" + kM30},
      {U"11", kNone, kM1 + "11"},
  };
  for (const Example& e : cases) {
    EXPECT_EQ(outcome(e.input, e.sex), e.expected) << toUtf8(e.input);
  }
}

// One case per kind of rejection, in both languages: the catalogue text of
// the run's language, the user's characters as typed (control characters
// made visible), and the hint where the text stopped inside a pair.
TEST(ParseGenotype, ThrownTextsInBothLanguages) {
  struct Rejection {
    std::u32string input;
    Sex sex;
    MessageId message;
    std::u32string quoted;
    bool hint;
  };
  const std::vector<Rejection> rejections = {
      {U"eeL", kNone, MessageId::CannotParse, U"L", true},            // one character left
      {U"eeSa", kNone, MessageId::CannotParse, U"Sa", true},          // two left, no pair
      {U"EeQq", kNone, MessageId::CannotParse, U"Qq", false},         // one-letter pair, no gene
      {U"aAAa", kNone, MessageId::RepeatedGene, U"Aa", false},        // one-letter pair again
      {U"toY", kFemale, MessageId::YInFemale, U"", false},            // Y in a female
      {U"eeToy", kNone, MessageId::CannotParse, U"Toy", false},       // three left, not ToY
      {U"BaBA", kNone, MessageId::CannotParse, U"BaBA", false},       // form test fails
      {U"eeQaqa", kNone, MessageId::CannotParse, U"Qaqa", false},     // form right, no gene
      {U"sgSgSgsg", kNone, MessageId::RepeatedGene, U"Sgsg", false},  // two-letter pair again
      {U"Toto", kMale, MessageId::OneToInMale, U"", false},           // To pair in a male
      // Control characters are quoted so that they cannot act on the
      // terminal: C0 controls and DEL in caret notation, C1 controls as
      // U+FFFD. The Left arrow key is ESC [ D.
      {U"aaBa\x1b[Dba", kNone, MessageId::CannotParse, U"Ba^[[", false},
      {std::u32string(U"e\0\x1f", 3), kNone, MessageId::CannotParse, U"e^@^_", false},
      {U"ee\x7f", kNone, MessageId::CannotParse, U"^?", true},
      {U"\x9b\x9f\xa0\xa0", kNone, MessageId::CannotParse, U"\uFFFD\uFFFD\xa0\xa0", false},
  };
  for (Language language : {Language::English, Language::Russian}) {
    for (const Rejection& r : rejections) {
      std::u32string expected(messageText(r.message, language));
      expected += r.quoted;
      if (r.hint) {
        expected += messageText(MessageId::SkippedGeneHint, language);
      }
      EXPECT_EQ(outcome(r.input, r.sex, language), toUtf8(expected)) << toUtf8(r.input);
    }
  }
}

// The Russian texts themselves, as the user reads them.
TEST(ParseGenotype, RussianMessageTexts) {
  const std::string m1 = "\nНе поддается расшифровке следующая часть генотипа: ";
  const std::vector<Example> cases = {
      {U"eeE", kNone, m1 + "E\nВозможно, пропущен второй из пары ген?"},
      {U"Xx", kNone, m1 + "Xx"},
      {U"Eeee", kNone,
       "\nОшибка: код, соответствующий одним и тем же генам, встречается второй раз: ee"},
      {U"ToY", kFemale, "\nОшибка: Y-хромосома в генотипе самки"},
      {U"ToTo", kMale,
       "\nОшибка: в генотипе самца может присутствовать только один ген To (или to)"},
  };
  for (const Example& e : cases) {
    EXPECT_EQ(outcome(e.input, e.sex, Language::Russian), e.expected) << toUtf8(e.input);
  }
}

// The first fault ends the parse: nothing after it matters, however long.
TEST(ParseGenotype, LongTextsAreReadInOnePass) {
  std::u32string males;
  for (int i = 0; i < 100000; ++i) {
    males += (i % 2 == 0) ? U"toY" : U"ToY";
  }
  EXPECT_EQ(outcome(males, kNone), "to 2, sex 1");
  EXPECT_EQ(outcome(males + U"x", kNone), kM1 + "x" + kM30);
  EXPECT_EQ(outcome(males + U"ToTo", kNone), kM3 + "ToTo");
  EXPECT_EQ(outcome(U"ee" + std::u32string(1000000, U'E'), kNone), kM3 + "EE");
  EXPECT_EQ(outcome(std::u32string(1000000, U'\U0001F439'), kNone), kM1 + "\U0001F439\U0001F439");
}

}  // namespace
}  // namespace quorvale
