#ifndef QUORVALE_LITTER_MEMBER_LINES_H_
#define QUORVALE_LITTER_MEMBER_LINES_H_

#include <cstdint>
#include <memory>
#include <span>

#include "litter/expansion.h"
#include "text/output.h"

namespace quorvale {

// Writes the member lines of a grouped litter, "\t\t\t1/4096 \tEeDgdg...\n",
// one combination at a time, each line exactly as the litter report shows
// it: three tabs, the member's chance as a fraction, a blank and a tab, its
// genotype text ("--" when it has nothing to write) and a line end. The
// members of a combination come in the cross's order.
//
// The largest litter has millions of member lines, so this is the
// program's inner loop, and it is built to cost little more than moving
// the bytes (about twice what `cat` of the finished report costs). It is
// correct and fast as it is: a change here is a change to the report of
// every litter, to be measured with bench/litter_ratios.sh. How it works:
//
// - The members of a combination are the product of one option per gene,
//   listed as an odometer whose last gene turns fastest. Genes with one
//   option do not turn; the others are the odometer's wheels. Each option
//   of a wheel is made once per combination into a segment: its text and
//   that of the genes after it that do not turn, up to the next wheel.
// - A line is three texts: the start for its chance (one of 29, made once),
//   the head and a tail. The tails are made once per combination: one for
//   each setting of the fastest wheels (at most 8), each holding their
//   segments and the line end. The heads hold the genes before them, one
//   for each setting of the slower wheels, all made at once per
//   combination (the litter's genes allow at most 64: see the bound in
//   member_lines.cpp), each spelled whole from the segments, so that no
//   text is copied while the stores that made it are still under way.
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
  // REQUIRES: expansion outlives this object; its classes are those of a
  // grouped litter (litter/phenotype_groups.h): at most two options each,
  // each option's text at most two alleles.
  explicit MemberLines(const LitterExpansion& expansion);
  ~MemberLines();

  MemberLines(const MemberLines&) = delete;
  MemberLines& operator=(const MemberLines&) = delete;

  // Writes the member lines of the given combinations of the expansion, in
  // order, to out.
  void write(std::span<const std::uint32_t> combinations, Output& out);

 private:
  // Everything the writer keeps from one combination to the next; it lives
  // in member_lines.cpp.
  struct Writer;
  std::unique_ptr<Writer> writer_;
};

}  // namespace quorvale

#endif  // QUORVALE_LITTER_MEMBER_LINES_H_
