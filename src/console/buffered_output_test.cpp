#include "console/buffered_output.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvale {
namespace {

// Records each piece handed over; fails every write from the given one on.
class RecordingSink : public ByteSink {
 public:
  explicit RecordingSink(int fail_from = -1) : fail_from_(fail_from) {}
  bool write(std::string_view bytes) override {
    if (fail_from_ >= 0 && static_cast<int>(attempts++) >= fail_from_) {
      return false;
    }
    pieces.emplace_back(bytes);
    return true;
  }
  std::vector<std::string> pieces;
  unsigned attempts = 0;

 private:
  int fail_from_;
};

// The size of the pieces the sink is said to take best.
constexpr std::size_t kBlock = 4096;

std::string joined(const std::vector<std::string>& pieces) {
  std::string all;
  for (const std::string& piece : pieces) {
    all += piece;
  }
  return all;
}

TEST(BufferedOutputTest, HoldsLinesUntilFlushedWhenNotATerminal) {
  RecordingSink sink;
  BufferedOutput out(sink, kBlock, /*line_buffered=*/false);
  out.write(U"Окрас самца: \n");
  out.writeAscii("\t1/2 \tEe\n");
  EXPECT_TRUE(sink.pieces.empty());
  out.flush();
  ASSERT_EQ(sink.pieces.size(), 1u);
  EXPECT_EQ(sink.pieces[0], "Окрас самца: \n\t1/2 \tEe\n");
  out.flush();  // nothing new: no empty write
  EXPECT_EQ(sink.pieces.size(), 1u);
}

TEST(BufferedOutputTest, HandsOverEachLineOnATerminal) {
  RecordingSink sink;
  BufferedOutput out(sink, kBlock, /*line_buffered=*/true);
  out.writeAscii("prompt: ");
  EXPECT_TRUE(sink.pieces.empty());
  out.write(U"line\n");
  EXPECT_EQ(sink.pieces, std::vector<std::string>{"prompt: line\n"});
}

TEST(BufferedOutputTest, WritesLargeOutputInFewLargePieces) {
  RecordingSink sink;
  BufferedOutput out(sink, kBlock, /*line_buffered=*/false);
  const std::string line = "\t\t\t1/268435456 \tEeDgdgPpAaCdcdRdrdLlUuBabaSasaSgsgLglgDsdsTo\n";
  std::size_t total = 0;
  for (int i = 0; i < 100'000; ++i) {
    out.writeAscii(line);
    total += line.size();
  }
  out.flush();
  EXPECT_EQ(joined(sink.pieces).size(), total);
  // Every piece but the last is exactly one block.
  ASSERT_EQ(sink.pieces.size(), (total + kBlock - 1) / kBlock);
  for (std::size_t i = 0; i + 1 < sink.pieces.size(); ++i) {
    EXPECT_EQ(sink.pieces[i].size(), kBlock) << i;
  }
}

// Text of any size keeps its place among the rest, whether written or
// filled in place, and a failure in the middle of it is as final as any
// other.
TEST(BufferedOutputTest, LargeBlocksKeepTheirPlaceAndFailForGood) {
  const std::string block(60'000, 'x');
  RecordingSink sink;
  BufferedOutput out(sink, kBlock, /*line_buffered=*/false);
  out.write(U"Litter: \n");
  out.writeAscii(block);
  std::string filled;
  for (int i = 0; i < 40; ++i) {
    const std::span<char> room = out.asciiRoom(Output::kMaxAsciiRoom);
    ASSERT_GE(room.size(), Output::kMaxAsciiRoom);
    const std::size_t used = room.size() / 3 + static_cast<std::size_t>(i);
    std::fill_n(room.begin(), used, static_cast<char>('a' + i % 26));
    filled.append(used, static_cast<char>('a' + i % 26));
    out.commitAscii(used);
  }
  out.writeAscii("tail\n");
  out.flush();
  EXPECT_EQ(joined(sink.pieces), "Litter: \n" + block + filled + "tail\n");

  RecordingSink failing(/*fail_from=*/1);
  BufferedOutput lost(failing, kBlock, /*line_buffered=*/false);
  lost.writeAscii("head\n");
  lost.writeAscii(block);
  const std::span<char> room = lost.asciiRoom(Output::kMaxAsciiRoom);
  ASSERT_GE(room.size(), Output::kMaxAsciiRoom);
  std::fill_n(room.begin(), Output::kMaxAsciiRoom, 'y');
  lost.commitAscii(Output::kMaxAsciiRoom);
  lost.writeAscii("tail\n");
  lost.flush();
  EXPECT_TRUE(lost.failed());
  ASSERT_EQ(failing.pieces.size(), 1u);
  EXPECT_EQ(failing.pieces[0], "head\n" + block.substr(0, kBlock - 5));
  EXPECT_EQ(failing.attempts, 2u);
}

// Filled in place on a terminal, the text is handed over at once when it
// holds a line end, as written text is.
TEST(BufferedOutputTest, RoomFilledOnATerminalGoesAtItsLineEnd) {
  RecordingSink sink;
  BufferedOutput out(sink, kBlock, /*line_buffered=*/true);
  for (const std::string_view text : {std::string_view("no end "), std::string_view("end\n")}) {
    const std::span<char> room = out.asciiRoom(text.size());
    std::copy(text.begin(), text.end(), room.begin());
    out.commitAscii(text.size());
  }
  EXPECT_EQ(sink.pieces, std::vector<std::string>{"no end end\n"});
}

// After one failed write nothing else may reach the sink, or the reader
// would see later text glued to a gap.
TEST(BufferedOutputTest, GivesUpForGoodAtTheFirstFailedWrite) {
  RecordingSink sink(/*fail_from=*/1);
  BufferedOutput out(sink, kBlock, /*line_buffered=*/false);
  out.writeAscii("first\n");
  out.flush();
  EXPECT_FALSE(out.failed());
  out.writeAscii("lost\n");
  out.flush();
  EXPECT_TRUE(out.failed());
  out.write(U"after\n");
  out.flush();
  EXPECT_EQ(sink.pieces, std::vector<std::string>{"first\n"});
  EXPECT_EQ(sink.attempts, 2u);
}

}  // namespace
}  // namespace quorvale
