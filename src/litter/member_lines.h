#ifndef QUORVALE_LITTER_MEMBER_LINES_H_
#define QUORVALE_LITTER_MEMBER_LINES_H_

#include <array>
#include <cstddef>
#include <cstdint>
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
//   option do not turn; the last gene that does is the fast wheel.
// - A line is three texts: the start for its chance (one of 29, made once),
//   the head (the genes before the fast wheel) and the fast wheel's option
//   with the fixed genes after it and the line end (one per option, made
//   once per combination). Only the head changes when a slower wheel turns,
//   and it is rewritten only from the gene that turned.
// - Each text is copied with one copy of a fixed size, which the machine
//   does in a few instructions; a copy may run past its text, into room the
//   next text overwrites.
// - The lines go straight into the output's own buffer (Output::asciiRoom),
//   so each byte is copied once and no call is made per line.
class MemberLines {
 public:
  // REQUIRES: litter outlives this object.
  explicit MemberLines(const GroupedLitter& litter);

  // Writes the member lines of one combination of the litter to out.
  void write(std::uint32_t combination, Output& out);

 private:
  // A text copied with one fixed-size copy; the bytes past size are junk.
  template <std::size_t N>
  struct Slot {
    std::array<char, N> bytes{};
    std::size_t size = 0;
    int halvings = 0;  // of the genes it holds
  };

  // One gene's part of a genotype is at most two alleles of two letters.
  static constexpr std::size_t kTokenSize = 4;
  // A whole genotype with its line end fits this copy.
  static constexpr std::size_t kTextCopy = 64;
  static_assert(GeneCount * kTokenSize + 1 <= kTextCopy);
  using Token = Slot<8>;
  using LineStart = Slot<16>;
  using Text = Slot<kTextCopy + sizeof(Token::bytes)>;
  // The most one line's copies touch beyond where it starts.
  static constexpr std::size_t kLineReach = sizeof(LineStart::bytes) + 2 * kTextCopy;
  static_assert(kLineReach <= Output::kMaxAsciiRoom);

  // Rewrites the head from gene `from` on, for the current digits.
  void rewriteHead(GeneIndex from);

  const GroupedLitter& litter_;
  // For each gene and class, the options as tokens.
  std::array<std::vector<std::vector<Token>>, GeneCount> tokens_;
  std::array<LineStart, kChanceBits + 1> starts_;

  // The combination being written: each gene's options and current digit;
  // the slow wheels; the gene of the fast wheel (GeneCount when no gene
  // turns) and its tails, one per option.
  std::array<const std::vector<Token>*, GeneCount> options_{};
  std::array<std::size_t, GeneCount> digit_{};
  std::array<GeneIndex, GeneCount> wheels_{};
  int wheel_count_ = 0;
  GeneIndex fast_ = GeneCount;
  std::vector<Text> tails_;

  // The current head, where each gene's part begins in it and the halvings
  // of the genes before it.
  Text head_;
  std::array<std::size_t, GeneCount + 1> head_at_{};
  std::array<int, GeneCount + 1> halvings_before_{};
};

}  // namespace quorvale

#endif  // QUORVALE_LITTER_MEMBER_LINES_H_
