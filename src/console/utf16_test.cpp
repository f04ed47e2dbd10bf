#include "console/utf16.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvale {
namespace {

struct Utf8ToUtf16Case {
  const char* name;
  std::string bytes;
  std::u16string units;
};

TEST(Utf16FromUtf8, WholeText) {
  const Utf8ToUtf16Case cases[] = {
      {"empty", "", u""},
      {"ascii with tab and line end", "Lglg\t1/8\n", u"Lglg\t1/8\n"},
      {"cyrillic", "\xD0\x96\xD1\x91", u"\u0416\u0451"},
      {"outside the basic plane", "\xF0\x9F\x90\xB9", u"\xD83D\xDC39"},
      {"stray continuation byte",
       "a\x80"
       "b",
       u"a\uFFFDb"},
      {"overlong form", "\xC0\xAF", u"\uFFFD\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string pending;
    EXPECT_EQ(utf16FromUtf8(c.bytes, &pending), c.units);
    EXPECT_EQ(pending, "");
  }
}

// A flush may cut a character anywhere: every split gives the same units
// as the whole text, and nothing is left over.
TEST(Utf16FromUtf8, TextCutAtEveryByte) {
  const std::string text = "Окрас \xF0\x9F\x90\xB9 x\xE2\x82\xAC\n";
  const std::u16string whole = u"Окрас \xD83D\xDC39 x\u20AC\n";
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    SCOPED_TRACE(cut);
    std::string pending;
    std::u16string units = utf16FromUtf8(std::string_view(text).substr(0, cut), &pending);
    units += utf16FromUtf8(std::string_view(text).substr(cut), &pending);
    EXPECT_EQ(units, whole);
    EXPECT_EQ(pending, "");
  }
}

TEST(Utf16FromUtf8, UnfinishedCharacterWaitsForTheRest) {
  std::string pending;
  EXPECT_EQ(utf16FromUtf8("a\xF0\x9F", &pending), u"a");
  EXPECT_EQ(pending, "\xF0\x9F");
  // What follows is no continuation: the kept bytes are invalid after all.
  EXPECT_EQ(utf16FromUtf8("b", &pending), u"\uFFFD\uFFFDb");
  EXPECT_EQ(pending, "");
}

struct Utf16ToUtf8Case {
  const char* name;
  std::u16string units;
  std::string bytes;
};

TEST(Utf8FromUtf16, WholeText) {
  const Utf16ToUtf8Case cases[] = {
      {"empty", u"", ""},
      {"a console line", u"4 5\r\n", "4 5\r\n"},
      {"cyrillic", u"\u0416\u0451", "\xD0\x96\xD1\x91"},
      {"surrogate pair", u"\xD83D\xDC39", "\xF0\x9F\x90\xB9"},
      {"low surrogate alone",
       u"a\xDC39"
       u"b",
       "a\xEF\xBF\xBD"
       "b"},
      {"high surrogate before a letter",
       u"\xD83D"
       u"b",
       "\xEF\xBF\xBD"
       "b"},
      {"two high surrogates, then a low", u"\xD83D\xD83D\xDC39", "\xEF\xBF\xBD\xF0\x9F\x90\xB9"},
      {"NUL is a character", std::u16string(1, u'\0'), std::string(1, '\0')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    char16_t pending = 0;
    EXPECT_EQ(utf8FromUtf16(c.units, /*more_may_follow=*/true, &pending), c.bytes);
    EXPECT_EQ(pending, 0);
  }
}

// A console read may end between the two halves of a pair.
TEST(Utf8FromUtf16, PairCutBetweenReads) {
  char16_t pending = 0;
  EXPECT_EQ(utf8FromUtf16(u"x\xD83D", /*more_may_follow=*/true, &pending), "x");
  EXPECT_EQ(pending, u'\xD83D');
  EXPECT_EQ(utf8FromUtf16(u"\xDC39y", /*more_may_follow=*/true, &pending), "\xF0\x9F\x90\xB9y");
  EXPECT_EQ(pending, 0);
}

TEST(Utf8FromUtf16, HighSurrogateAtTheEndOfInput) {
  char16_t pending = 0;
  EXPECT_EQ(utf8FromUtf16(u"x\xD83D", /*more_may_follow=*/false, &pending), "x\xEF\xBF\xBD");
  EXPECT_EQ(pending, 0);
  pending = u'\xD83D';
  EXPECT_EQ(utf8FromUtf16(u"", /*more_may_follow=*/false, &pending), "\xEF\xBF\xBD");
  EXPECT_EQ(pending, 0);
}

}  // namespace
}  // namespace quorvale
