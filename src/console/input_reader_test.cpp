#include "console/input_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "testing/memory_console.h"

namespace quorvale {
namespace {

// Hands out its bytes at most chunk bytes per read, to cut UTF-8 sequences
// and words between reads, and counts the reads.
class ChunkedSource : public ByteSource {
 public:
  ChunkedSource(std::string bytes, std::size_t chunk) : bytes_(std::move(bytes)), chunk_(chunk) {}
  std::size_t read(char* buffer, std::size_t capacity) override {
    ++reads;
    const std::size_t n = std::min({capacity, chunk_, bytes_.size() - pos_});
    std::memcpy(buffer, bytes_.data() + pos_, n);
    pos_ += n;
    return n;
  }
  int reads = 0;

 private:
  std::string bytes_;
  std::size_t chunk_;
  std::size_t pos_ = 0;
};

std::vector<std::u32string> allWords(const std::string& input, std::size_t chunk) {
  ChunkedSource source(input, chunk);
  InputReader reader(source);
  std::vector<std::u32string> words;
  while (std::optional<std::u32string> w = readWholeWord(reader)) {
    words.push_back(*w);
  }
  return words;
}

struct WordCase {
  const char* name;
  std::string input;
  std::vector<std::u32string> words;
};

// Word splitting, run with every chunk size from 1 byte up so that no
// result depends on where a read happens to end.
TEST(InputReaderTest, SplitsWordsAtAsciiWhiteSpaceOnly) {
  const WordCase cases[] = {
      {"empty input", "", {}},
      {"only white space", " \t\r\n\v\f", {}},
      {"last word without a line end", "ee dgdg", {U"ee", U"dgdg"}},
      {"CRLF line ends", "r\r\n1\r\nee\r\n", {U"r", U"1", U"ee"}},
      {"all six separators", "a b\tc\nd\ve\ff\rg", {U"a", U"b", U"c", U"d", U"e", U"f", U"g"}},
      {"NUL is a word character", std::string("a\0b c", 5), {std::u32string(U"a\0b", 3), U"c"}},
      {"no-break space is a word character",
       "a\xC2\xA0"
       "b",
       {U"a\u00A0b"}},
      {"ideographic space too",
       "a\xE3\x80\x80"
       "b",
       {U"a\u3000b"}},
      {"Cyrillic and beyond the BMP", "Жёлтый \xF0\x9F\x90\xB9x", {U"Жёлтый", U"\U0001F439x"}},
      {"invalid bytes are characters", "\xFF\xFE \x80", {U"\uFFFD\uFFFD", U"\uFFFD"}},
      {"sequence cut by the end", "ab\xE2\x82", {U"ab\uFFFD\uFFFD"}},
      {"invalid byte before a separator", "a\xD0\nb", {U"a\uFFFD", U"b"}},
  };
  for (const WordCase& c : cases) {
    for (std::size_t chunk : {1, 2, 3, 5, 4096}) {
      EXPECT_EQ(allWords(c.input, chunk), c.words) << c.name << ", chunk " << chunk;
    }
  }
}

TEST(InputReaderTest, ReadsOneCharacterAtATimeAndLeavesTheRest) {
  ChunkedSource source("  xyz\r\n\xD0\xB5nglish 5\n", 1);
  InputReader reader(source);
  EXPECT_EQ(reader.readChar(), U'x');
  EXPECT_EQ(reader.readChar(), U'y');
  EXPECT_EQ(reader.readChar(), U'z');
  EXPECT_EQ(reader.readChar(), U'\u0435');  // a Cyrillic "е", not the Latin e
  EXPECT_EQ(readWholeWord(reader), U"nglish");
  EXPECT_EQ(readWholeWord(reader), U"5");
  EXPECT_EQ(reader.readChar(), std::nullopt);
  EXPECT_EQ(readWholeWord(reader), std::nullopt);
}

TEST(InputReaderTest, StopsAskingTheSourceAfterTheEnd) {
  ChunkedSource source("a", 4096);
  InputReader reader(source);
  EXPECT_EQ(readWholeWord(reader), U"a");
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(readWholeWord(reader), std::nullopt);
  }
  EXPECT_EQ(source.reads, 2);
}

// A word far longer than the reader's buffer is read whole and in one pass.
TEST(InputReaderTest, ReadsAWordLongerThanItsBuffer) {
  std::string input = "1 ";
  input.append(1'000'000, 'E');
  input += "\xD0\x96";  // a two-byte letter straddling no particular boundary
  input.append(300'001, 'e');
  input += "\n5\n";
  ChunkedSource source(input, 65'536);
  InputReader reader(source);
  EXPECT_EQ(readWholeWord(reader), U"1");
  const std::optional<std::u32string> word = readWholeWord(reader);
  ASSERT_TRUE(word.has_value());
  EXPECT_EQ(word->size(), 1'300'002u);
  EXPECT_EQ((*word)[1'000'000], U'Ж');
  EXPECT_EQ(readWholeWord(reader), U"5");
}

// Takes the first `wanted` characters of a word and declines the next one.
class Prefix : public WordConsumer {
 public:
  explicit Prefix(std::size_t wanted) : wanted_(wanted) {}
  bool take(char32_t c) override {
    ++offered;
    if (taken.size() == wanted_) {
      return false;
    }
    taken.push_back(c);
    return true;
  }
  std::u32string taken;
  std::size_t offered = 0;

 private:
  std::size_t wanted_;
};

// Once the consumer declines a character, the rest of the word is skipped
// unseen, ASCII or not, however the reads cut it, and the next word is read
// from its start.
TEST(InputReaderTest, SkipsTheRestOfAWordOnceDeclined) {
  std::string input = "ab";
  for (int i = 0; i < 100'000; ++i) {
    input += i % 2 == 0 ? "x" : "\xD0\x96";
  }
  input += "\t\xD0\x96\xD0\x96z\n";
  for (std::size_t chunk : {std::size_t{1}, std::size_t{3}, std::size_t{65'536}}) {
    ChunkedSource source(input, chunk);
    InputReader reader(source);
    Prefix two(2);
    ASSERT_TRUE(reader.readWord(two));
    EXPECT_EQ(two.taken, U"ab");
    EXPECT_EQ(two.offered, 3u);
    Prefix one(1);
    ASSERT_TRUE(reader.readWord(one));
    EXPECT_EQ(one.taken, U"Ж");
    EXPECT_EQ(one.offered, 2u);
    Prefix all(10);
    EXPECT_FALSE(reader.readWord(all));
    EXPECT_EQ(all.offered, 0u);
  }
}

}  // namespace
}  // namespace quorvale
