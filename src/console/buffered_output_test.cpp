#include "console/buffered_output.h"

#include <gtest/gtest.h>

#include <string>
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

TEST(BufferedOutputTest, HoldsLinesUntilFlushedWhenNotATerminal) {
  RecordingSink sink;
  BufferedOutput out(sink, /*line_buffered=*/false);
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
  BufferedOutput out(sink, /*line_buffered=*/true);
  out.writeAscii("prompt: ");
  EXPECT_TRUE(sink.pieces.empty());
  out.write(U"line\n");
  EXPECT_EQ(sink.pieces, std::vector<std::string>{"prompt: line\n"});
}

TEST(BufferedOutputTest, WritesLargeOutputInFewLargePieces) {
  RecordingSink sink;
  BufferedOutput out(sink, /*line_buffered=*/false);
  const std::string line = "\t\t\t1/268435456 \tEeDgdgPpAaCdcdRdrdLlUuBabaSasaSgsgLglgDsdsTo\n";
  std::size_t total = 0;
  for (int i = 0; i < 100'000; ++i) {
    out.writeAscii(line);
    total += line.size();
  }
  out.flush();
  std::string all;
  for (const std::string& piece : sink.pieces) {
    all += piece;
  }
  EXPECT_EQ(all.size(), total);
  EXPECT_LT(sink.pieces.size(), total / 32'768);
}

// A large block skips the buffer but must still come after the text that
// was buffered before it, and a failure there is as final as any other.
TEST(BufferedOutputTest, LargeBlocksKeepTheirPlaceAndFailForGood) {
  const std::string block(60'000, 'x');
  RecordingSink sink;
  BufferedOutput out(sink, /*line_buffered=*/false);
  out.write(U"Litter: \n");
  out.writeAscii(block);
  out.writeAscii("tail\n");
  out.flush();
  EXPECT_EQ(sink.pieces, (std::vector<std::string>{"Litter: \n", block, "tail\n"}));

  RecordingSink failing(/*fail_from=*/1);
  BufferedOutput lost(failing, /*line_buffered=*/false);
  lost.writeAscii("head\n");
  lost.writeAscii(block);
  lost.writeAscii("tail\n");
  lost.flush();
  EXPECT_TRUE(lost.failed());
  EXPECT_EQ(failing.pieces, std::vector<std::string>{"head\n"});
  EXPECT_EQ(failing.attempts, 2u);
}

// After one failed write nothing else may reach the sink, or the reader
// would see later text glued to a gap.
TEST(BufferedOutputTest, GivesUpForGoodAtTheFirstFailedWrite) {
  RecordingSink sink(/*fail_from=*/1);
  BufferedOutput out(sink, /*line_buffered=*/false);
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
