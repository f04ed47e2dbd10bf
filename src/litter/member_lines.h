#ifndef QUORVALE_LITTER_MEMBER_LINES_H_
#define QUORVALE_LITTER_MEMBER_LINES_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "genetics/genotype.h"
#include "litter/fraction.h"
#include "litter/phenotype_groups.h"
#include "text/output.h"

namespace quorvale {

// Writes the member lines of a grouped litter, "\t\t\t1/4096 \tEeDgdg...\n",
// one combination at a time. The largest litter has millions of them, so
// this is the program's inner loop, and it is built to cost little more
// than moving the bytes:
//
// - The members of a combination are the product of one option per gene,
//   listed as an odometer whose last gene turns fastest. Genes with one
//   option do not turn; the others are the odometer's wheels. Each option
//   of a wheel is made once per combination into a segment: its text and
//   that of the genes after it that do not turn, up to the next wheel.
// - A line is three texts: the start for its chance (one of 29, made once),
//   the head and a tail. The tails are made once per combination: one for
//   each setting of the fastest wheels (at most kMostTails), each holding
//   their segments and the line end. The heads hold the genes before them,
//   one for each setting of the slower wheels; they are made once per
//   combination (up to kMostHeads at a time; a litter's genes make at most
//   64), each spelled whole from the segments, so that no text is copied
//   while the stores that made it are still under way.
// - Each text is copied with one copy of a fixed size, the smallest of a
//   few that holds every head (or tail) of the combination, which the
//   machine does in a few instructions; a copy may run past its text, into
//   room that the next text overwrites.
// - When a combination differs from the one before only after its last
//   wheel, where each gene has one option, it keeps the heads, and only the
//   end of the tails is spelled again.
// - The lines go straight into the output's own buffer (Output::asciiRoom),
//   so each byte is copied once and no call is made per line.
class MemberLines {
 public:
  // REQUIRES: litter outlives this object.
  explicit MemberLines(const GroupedLitter& litter);

  // Writes the member lines of the combinations of the litter, in order,
  // to out.
  void write(std::span<const std::uint32_t> combinations, Output& out);

 private:
  // Writes the member lines of one combination into the room.
  void writeCombination(std::uint32_t combination, Output& out);

  // A text copied with fixed-size copies; the bytes past size are junk.
  template <std::size_t N>
  struct Slot {
    std::array<char, N> bytes{};
    std::size_t size = 0;
    int halvings = 0;  // the chance of what it holds is 2^-halvings
  };

  // One gene's part of a genotype is at most two alleles of two letters.
  static constexpr std::size_t kTokenSize = 4;
  // A gene has at most four children.
  static constexpr std::size_t kMostOptions = 4;
  // Any part of a genotype, with the line end, fits this copy.
  static constexpr std::size_t kTextCopy = 64;
  static_assert(GeneCount * kTokenSize + 1 <= kTextCopy);
  using Token = Slot<kTokenSize>;
  using Segment = Slot<kTextCopy>;
  // Made of segments, each copied whole to wherever the text has got to.
  using Text = Slot<2 * kTextCopy>;
  using LineStart = Slot<16>;
  // The most one line's copies touch beyond where it starts.
  static constexpr std::size_t kLineReach = sizeof(LineStart::bytes) + 2 * kTextCopy;
  // The most tails made for one combination.
  static constexpr std::size_t kMostTails = 8;
  static_assert(kMostTails * kLineReach <= Output::kMaxAsciiRoom);
  // The most heads made at once.
  static constexpr std::size_t kMostHeads = 64;

  // Empties slot.
  template <std::size_t N>
  static void clear(Slot<N>& slot);

  // Appends text to slot.
  // REQUIRES: the slot has room for a copy of all of text's bytes.
  template <std::size_t N, std::size_t M>
  static void append(Slot<N>& slot, const Slot<M>& text);

  // Spells the segments of wheels [from, end) at their current digits into
  // text, from where wheel `from` begins, noting where each begins and the
  // halvings before it; sets text's size and halvings.
  // REQUIRES: text_at_[from] and halvings_before_[from] are set.
  void spell(Text& text, int from, int end);

  // Whether genes [from, GeneCount) have one option each in the classes
  // the combination chooses.
  bool fixedFrom(std::uint32_t combination, GeneIndex from) const;

  // Spells the end, the genes after the last wheel and the line end, from
  // gene `from` on.
  // REQUIRES: from > last_wheel_gene_; the genes before it are spelled.
  void spellEnd(GeneIndex from);

  // Makes the tails for an empty head; returns the longest.
  std::size_t makeWildTails();

  // Writes the lines of a combination that differs from the last one only
  // from gene `from` on, after the last wheel, where it has no choice: it
  // spells the end again and puts it at the end of each tail.
  void writeWithNewEnd(GeneIndex from, Output& out);

  // Makes the heads from the slow wheels' current digits on, turning them,
  // until the odometer comes round or kMostHeads are made.
  void makeHeads();

  // Writes every line of the combination set up, making its heads first
  // unless they are made.
  void writeAll(std::size_t longest_tail, bool heads_made, Output& out);

  // Writes every line of the combination set up, copying HeadCopy bytes of
  // the head and TailCopy bytes of each tail.
  // REQUIRES: every head and tail fits its copy.
  template <std::size_t HeadCopy, std::size_t TailCopy>
  void writeLines(Output& out);

  const GroupedLitter& litter_;
  // For each gene, the classes with one option, one bit each.
  std::array<unsigned, GeneCount> fixed_classes_{};
  // For each gene and class, its options as tokens.
  std::array<std::vector<std::vector<Token>>, GeneCount> tokens_;
  std::array<LineStart, kChanceBits + 1> starts_;

  // The combination being written: the genes before the first wheel; for
  // each wheel its segments and current digit; how many wheels turn slowly
  // (the rest make the tails); the tails.
  Segment lead_;
  std::array<std::array<Segment, kMostOptions>, GeneCount> segments_{};
  std::array<std::size_t, GeneCount> option_count_{};
  std::array<std::size_t, GeneCount> digit_{};
  int wheel_count_ = 0;
  int slow_count_ = 0;
  // The combination last written, whether there was one, and for each gene
  // the state before it joined the segments: the number of wheels, and the
  // sizes and halvings of what it joined.
  std::uint32_t combination_ = 0;
  bool made_any_ = false;
  std::array<int, GeneCount> wheels_before_{};
  std::array<std::array<std::size_t, kMostOptions>, GeneCount> size_before_{};
  std::array<std::array<int, kMostOptions>, GeneCount> halvings_of_before_{};
  std::array<Text, kMostTails> tails_{};
  std::size_t tail_count_ = 0;
  Text tail_;  // the tail being made
  // Whether a tail has no text, and the tails to use under an empty head.
  bool empty_tail_ = false;
  std::array<Text, kMostTails> wild_tails_{};

  // The gene of each wheel, and of the last one.
  std::array<GeneIndex, GeneCount> wheel_gene_{};
  GeneIndex last_wheel_gene_ = -1;
  // The first gene whose part of the segments is out of date.
  GeneIndex segments_stale_from_ = GeneCount;
  // The end: the genes after the last wheel, and the line end. Where each of
  // its genes begins in it and the halvings before it; where it begins in
  // each tail and the halvings before it there.
  Segment end_;
  std::array<std::size_t, GeneCount> end_gene_at_{};
  std::array<int, GeneCount> end_halvings_at_{};
  std::array<std::size_t, kMostTails> end_at_{};
  std::array<int, kMostTails> halvings_before_end_{};
  // The longest any head of the combination can be.
  std::size_t longest_head_ = 0;

  // The room lent by the output, and where the next line goes in it.
  std::span<char> room_;
  char* at_ = nullptr;

  // The heads made, how many, whether they are the last of the
  // combination, and whether they are all of them. A combination that
  // differs from the last one only after its last wheel has the same heads.
  std::array<Text, kMostHeads> heads_{};
  std::size_t head_count_ = 0;
  bool heads_done_ = false;
  bool heads_whole_ = false;
  // Where each wheel's segment begins in the tail being made, and the
  // halvings of what comes before it there.
  std::array<std::size_t, GeneCount + 1> text_at_{};
  std::array<int, GeneCount + 1> halvings_before_{};
};

}  // namespace quorvale

#endif  // QUORVALE_LITTER_MEMBER_LINES_H_
