#include "text/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvale {
namespace {

constexpr char32_t R = kReplacementCharacter;

struct DecodeCase {
  const char* name;
  std::string bytes;
  std::u32string text;
};

// Decoding whole inputs: every byte that is not part of a valid sequence
// becomes exactly one U+FFFD, and the decoder picks up again at the next
// byte, so the valid text around a bad byte is never lost.
TEST(Utf8Test, DecodesValidTextAndReplacesEachBadByte) {
  const DecodeCase cases[] = {
      {"empty", "", U""},
      {"ascii with NUL", std::string("a\0b", 3), std::u32string(U"a\0b", 3)},
      {"two-byte Cyrillic", "\xD0\x96\xD1\x91", U"Жё"},
      {"three-byte", "\xE2\x82\xAC", U"€"},
      {"four-byte, outside the BMP", "\xF0\x9F\x90\xB9", U"\U0001F439"},
      {"largest code point", "\xF4\x8F\xBF\xBF", U"\U0010FFFF"},
      {"stray continuation byte",
       "a\x80"
       "b",
       U"a\uFFFDb"},
      {"bytes that never start a sequence", "\xC0\xC1\xF5\xFF", {R, R, R, R}},
      {"overlong two-byte slash", "\xC0\xAF", {R, R}},
      {"overlong three-byte", "\xE0\x80\xAF", {R, R, R}},
      {"overlong four-byte", "\xF0\x80\x80\xAF", {R, R, R, R}},
      {"surrogate D800", "\xED\xA0\x80", {R, R, R}},
      {"surrogate DFFF", "\xED\xBF\xBF", {R, R, R}},
      {"above U+10FFFF", "\xF4\x90\x80\x80", {R, R, R, R}},
      {"lead followed by ascii",
       "\xD0"
       "A",
       U"\uFFFDA"},
      {"three-byte cut by a new lead", "\xE2\x82\xD0\x96", U"\uFFFD\uFFFDЖ"},
      {"two-byte cut at the end", "ab\xD0", U"ab\uFFFD"},
      {"three-byte cut at the end", "\xE2\x82", {R, R}},
      {"four-byte cut at the end", "x\xF0\x9F\x90", {U'x', R, R, R}},
      {"non-ASCII space stays a character", "\xC2\xA0", U"\u00A0"},
  };
  for (const DecodeCase& c : cases) {
    EXPECT_EQ(fromUtf8(c.bytes), c.text) << c.name;
  }
}

TEST(Utf8Test, EncodesEveryLengthAndReplacesWhatCannotBeEncoded) {
  EXPECT_EQ(toUtf8(U"a"), "a");
  EXPECT_EQ(toUtf8(U"\u00E9"), "\xC3\xA9");
  EXPECT_EQ(toUtf8(U"окрас"), "\xD0\xBE\xD0\xBA\xD1\x80\xD0\xB0\xD1\x81");
  EXPECT_EQ(toUtf8(U"\uFFFD"), "\xEF\xBF\xBD");
  EXPECT_EQ(toUtf8(U"\U0001F439"), "\xF0\x9F\x90\xB9");
  EXPECT_EQ(toUtf8(std::u32string{0xD800, 0x110000}), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf8Test, RoundTripsEveryScalarValue) {
  std::u32string all;
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (c < 0xD800 || c > 0xDFFF) {
      all.push_back(c);
    }
  }
  EXPECT_EQ(fromUtf8(toUtf8(all)), all);
}

// The piecewise decoder used by the console reader: a sequence that the
// buffer cuts short is left for later while more may follow, and settled as
// U+FFFD once the input has ended.
TEST(Utf8Test, PiecewiseDecoderWaitsForTheRestOfACutSequence) {
  char32_t c = 0;
  EXPECT_EQ(decodeUtf8At("\xF0\x9F\x90", 0, /*more_may_follow=*/true, &c), 0u);
  EXPECT_EQ(decodeUtf8At("\xF0\x9F\x90", 0, /*more_may_follow=*/false, &c), 1u);
  EXPECT_EQ(c, R);
  EXPECT_EQ(decodeUtf8At("a\xD0", 1, /*more_may_follow=*/true, &c), 0u);
  // A prefix that can never become valid is settled at once.
  EXPECT_EQ(decodeUtf8At("\xE0\x80", 0, /*more_may_follow=*/true, &c), 1u);
  EXPECT_EQ(c, R);
  EXPECT_EQ(decodeUtf8At("\xF0\x9F\x90\xB9", 0, /*more_may_follow=*/true, &c), 4u);
  EXPECT_EQ(c, U'\U0001F439');
}

}  // namespace
}  // namespace quorvale
