#include "litter/member_lines.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "genetics/genotype_text.h"
#include "litter/fraction.h"
#include "litter/inheritance.h"
#include "litter/phenotype_groups.h"

namespace quorvale {

namespace {

// The shape of a grouped litter's classes, from the cross and the
// description alone: the most options a class has, and the most genes that
// can have a class of more than one option (the odometer's wheels).
struct WheelBound {
  int most_options = 1;
  int most_wheels = 0;
};

constexpr WheelBound wheelBound() {
  WheelBound bound;
  for (GeneIndex g = 0; g < GeneCount; ++g) {
    int gene_most = 1;
    for (int male = 0; male <= 2; ++male) {
      for (int female = 0; female <= 2; ++female) {
        const GeneChildren children = geneChildren(g, male, female);
        for (int c = 0; c < children.size; ++c) {
          int alike = 0;
          for (int d = 0; d < children.size; ++d) {
            alike +=
                describedChildKey(g, children.child[c]) == describedChildKey(g, children.child[d]);
          }
          gene_most = std::max(gene_most, alike);
        }
      }
    }
    bound.most_options = std::max(bound.most_options, gene_most);
    bound.most_wheels += gene_most > 1 ? 1 : 0;
  }
  return bound;
}

constexpr WheelBound kWheelBound = wheelBound();

// One gene's part of a genotype is at most two alleles of two letters.
constexpr std::size_t kTokenSize = 4;
// Any part of a genotype, with the line end, fits this copy.
constexpr std::size_t kTextCopy = 64;
static_assert(GeneCount * kTokenSize + 1 <= kTextCopy);

// The tails are made for the fastest wheels, as many as give at most this
// many tails; the heads for the other wheels. Every wheel has two options,
// so the tails take three wheels (when there are three) and the heads the
// rest: at most 2^(wheels - 3) heads, all made at once.
constexpr std::size_t kMostTails = 8;
static_assert(kWheelBound.most_options == 2, "every wheel has two options");
static_assert(kWheelBound.most_wheels >= 3);
constexpr int kTailWheels = std::countr_zero(kMostTails);
constexpr std::size_t kMostHeads = std::size_t{1} << (kWheelBound.most_wheels - kTailWheels);
constexpr std::size_t kMostOptions = 2;

// A text copied with fixed-size copies; the bytes past size are junk.
template <std::size_t N>
struct Slot {
  std::array<char, N> bytes{};
  std::size_t size = 0;
  int halvings = 0;  // the chance of what it holds is 2^-halvings
};

using Token = Slot<kTokenSize>;
using Segment = Slot<kTextCopy>;
// Made of segments, each copied whole to wherever the text has got to.
using Text = Slot<2 * kTextCopy>;
using LineStart = Slot<16>;
// The most one line's copies touch beyond where it starts.
constexpr std::size_t kLineReach = sizeof(LineStart::bytes) + 2 * kTextCopy;
static_assert(kMostTails * kLineReach <= Output::kMaxAsciiRoom);

// Empties slot.
template <std::size_t N>
void clear(Slot<N>& slot) {
  slot.size = 0;
  slot.halvings = 0;
}

// Appends text to slot.
// REQUIRES: the slot has room for a copy of all of text's bytes.
template <std::size_t N, std::size_t M>
void append(Slot<N>& slot, const Slot<M>& text) {
  static_assert(M <= N);
  std::memcpy(slot.bytes.data() + slot.size, text.bytes.data(), M);
  slot.size += text.size;
  slot.halvings += text.halvings;
}

}  // namespace

struct MemberLines::Writer {
  explicit Writer(const LitterExpansion& expansion);

  // Writes the member lines of one combination into the room.
  void writeCombination(std::uint32_t combination, Output& out);

  // Makes the lead and each wheel's segments again from gene `from` on,
  // from the state noted before it, and the end after the last wheel.
  void makeSegments(std::uint32_t combination, GeneIndex from);

  // Chooses the fast wheels and makes the tails; returns the longest.
  std::size_t makeTails();

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

  // Makes every head, turning the slow wheels through a whole round from
  // their first options, which leaves them there again.
  void makeHeads();

  // Writes every line of the combination set up.
  void writeAll(std::size_t longest_tail, Output& out);

  // Writes every line of the combination set up, copying HeadCopy bytes of
  // the head and TailCopy bytes of each tail.
  // REQUIRES: every head and tail fits its copy.
  template <std::size_t HeadCopy, std::size_t TailCopy>
  void writeLines(Output& out);

  // For each gene, the classes with one option, one bit each.
  std::array<unsigned, GeneCount> fixed_classes_{};
  // For each gene and class, its options as tokens.
  std::array<std::vector<std::vector<Token>>, GeneCount> tokens_;
  std::array<LineStart, kChanceBits + 1> starts_;
  // The text of a genotype that has nothing to write ("--").
  std::string wild_text_;

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

  // The heads of the combination, and how many. A combination that differs
  // from the last one only after its last wheel has the same heads.
  std::array<Text, kMostHeads> heads_{};
  std::size_t head_count_ = 0;
  // Where each wheel's segment begins in the tail being made, and the
  // halvings of what comes before it there.
  std::array<std::size_t, GeneCount + 1> text_at_{};
  std::array<int, GeneCount + 1> halvings_before_{};
};

MemberLines::MemberLines(const LitterExpansion& expansion)
    : writer_(std::make_unique<Writer>(expansion)) {}

MemberLines::~MemberLines() = default;

void MemberLines::write(std::span<const std::uint32_t> combinations, Output& out) {
  Writer& w = *writer_;
  w.room_ = out.asciiRoom(Output::kMaxAsciiRoom);
  w.at_ = w.room_.data();
  for (std::uint32_t combination : combinations) {
    w.writeCombination(combination, out);
  }
  out.commitAscii(static_cast<std::size_t>(w.at_ - w.room_.data()));
}

MemberLines::Writer::Writer(const LitterExpansion& expansion) {
  appendGenotypeText(Genotype{}, wild_text_);
  // A member's chance is a product of halves and quarters, 2^-h with h at
  // most 28, so the start of its line is one of 29 texts.
  for (int h = 0; h <= kChanceBits; ++h) {
    std::string start = "\t\t\t";
    appendChanceText(kChanceOne >> h, start);
    start += " \t";
    LineStart& slot = starts_[static_cast<std::size_t>(h)];
    std::copy(start.begin(), start.end(), slot.bytes.begin());
    slot.size = start.size();
  }
  for (GeneIndex g = 0; g < GeneCount; ++g) {
    for (const GeneClass& cls : expansion.classes[g]) {
      assert(cls.options.size() <= kMostOptions);
      if (cls.options.size() == 1) {
        fixed_classes_[g] |= 1u << tokens_[g].size();
      }
      std::vector<Token>& tokens = tokens_[g].emplace_back();
      for (const GeneOption& option : cls.options) {
        assert(option.token.size() <= kTokenSize);
        Token& token = tokens.emplace_back();
        std::copy(option.token.begin(), option.token.end(), token.bytes.begin());
        token.size = option.token.size();
        token.halvings = option.halvings;
      }
    }
  }
}

void MemberLines::Writer::spell(Text& text, int from, int end) {
  text.size = text_at_[static_cast<std::size_t>(from)];
  text.halvings = halvings_before_[static_cast<std::size_t>(from)];
  for (int w = from; w < end; ++w) {
    const auto i = static_cast<std::size_t>(w);
    text_at_[i] = text.size;
    halvings_before_[i] = text.halvings;
    append(text, segments_[i][digit_[i]]);
  }
}

void MemberLines::Writer::writeCombination(std::uint32_t combination, Output& out) {
  // Consecutive combinations mostly differ only in their last genes, so the
  // segments are made again only from the first gene that differs.
  GeneIndex from = 0;
  if (made_any_) {
    from = std::min(firstDifference(combination, combination_), GeneCount - 1);
  }
  // Most often only genes after the last wheel differ, all still without a
  // choice: the wheels, the heads and the tails but their ends are as they
  // were. The segments are not told of such a change, so the next
  // combination that makes them again starts no later than its first gene.
  if (made_any_ && wheel_count_ > 0 && from > last_wheel_gene_ && fixedFrom(combination, from)) {
    combination_ = combination;
    segments_stale_from_ = std::min(segments_stale_from_, from);
    writeWithNewEnd(from, out);
    return;
  }
  makeSegments(combination, std::min(from, segments_stale_from_));
  const std::size_t longest_tail = makeTails();

  // The longest any head of the combination can be.
  longest_head_ = lead_.size;
  for (std::size_t w = 0; w < static_cast<std::size_t>(slow_count_); ++w) {
    std::size_t longest = 0;
    for (std::size_t o = 0; o < option_count_[w]; ++o) {
      longest = std::max(longest, segments_[w][o].size);
    }
    longest_head_ += longest;
  }
  makeHeads();
  writeAll(longest_tail, out);
}

void MemberLines::Writer::makeSegments(std::uint32_t combination, GeneIndex from) {
  segments_stale_from_ = GeneCount;
  made_any_ = true;
  combination_ = combination;
  wheel_count_ = wheels_before_[from];
  // What a gene that does not turn joins: the lead or the last wheel's
  // segments. Only sizes and halvings are reset: bytes past a text's size
  // are junk anyway.
  Segment* last = wheel_count_ == 0 ? &lead_ : segments_[wheel_count_ - 1].data();
  std::size_t last_options = wheel_count_ == 0 ? 1 : option_count_[wheel_count_ - 1];
  for (std::size_t o = 0; o < last_options; ++o) {
    last[o].size = size_before_[from][o];
    last[o].halvings = halvings_of_before_[from][o];
  }
  for (GeneIndex g = from; g < GeneCount; ++g) {
    wheels_before_[g] = wheel_count_;
    for (std::size_t o = 0; o < last_options; ++o) {
      size_before_[g][o] = last[o].size;
      halvings_of_before_[g][o] = last[o].halvings;
    }
    const std::vector<Token>& tokens =
        tokens_[g][static_cast<std::size_t>(classOf(combination, g))];
    if (tokens.size() == 1) {
      for (std::size_t o = 0; o < last_options; ++o) {
        append(last[o], tokens[0]);
      }
      continue;
    }
    const auto w = static_cast<std::size_t>(wheel_count_++);
    wheel_gene_[w] = g;
    option_count_[w] = tokens.size();
    for (std::size_t o = 0; o < tokens.size(); ++o) {
      clear(segments_[w][o]);
      append(segments_[w][o], tokens[o]);
    }
    last = segments_[w].data();
    last_options = tokens.size();
  }
  last_wheel_gene_ =
      wheel_count_ > 0 ? wheel_gene_[static_cast<std::size_t>(wheel_count_ - 1)] : -1;
  if (wheel_count_ > 0) {
    spellEnd(last_wheel_gene_ + 1);
  }
  // Every wheel starts at its first option; a whole round of the odometer
  // leaves the slow wheels there, but the tails leave the fast ones turned.
  digit_.fill(0);
}

std::size_t MemberLines::Writer::makeTails() {
  // The fast wheels: the last ones, as many as give at most kMostTails tails.
  tail_count_ = 1;
  slow_count_ = wheel_count_;
  while (slow_count_ > 0 &&
         tail_count_ * option_count_[static_cast<std::size_t>(slow_count_ - 1)] <= kMostTails) {
    tail_count_ *= option_count_[static_cast<std::size_t>(--slow_count_)];
  }

  // The tails, in the odometer's order over the fast wheels, each spelled
  // again only from the wheel that turned.
  std::size_t longest_tail = 0;
  empty_tail_ = false;
  Text& tail = tail_;
  clear(tail);
  text_at_[static_cast<std::size_t>(slow_count_)] = 0;
  halvings_before_[static_cast<std::size_t>(slow_count_)] = 0;
  spell(tail, slow_count_, wheel_count_);
  for (std::size_t t = 0;;) {
    // A tail's text, with its line end, fits one copy.
    Text& made = tails_[t];
    std::memcpy(made.bytes.data(), tail.bytes.data(), kTextCopy);
    made.size = tail.size;
    made.halvings = tail.halvings;
    end_at_[t] = made.size - (end_.size - 1);
    halvings_before_end_[t] = made.halvings - end_.halvings;
    made.bytes[made.size++] = '\n';
    longest_tail = std::max(longest_tail, made.size);
    empty_tail_ = empty_tail_ || made.size == 1;
    if (++t == tail_count_) {
      break;
    }
    int w = wheel_count_ - 1;
    for (; ++digit_[static_cast<std::size_t>(w)] == option_count_[static_cast<std::size_t>(w)];
         --w) {
      digit_[static_cast<std::size_t>(w)] = 0;
    }
    spell(tail, w, wheel_count_);
  }
  if (empty_tail_) {
    longest_tail = std::max(longest_tail, makeWildTails());
  }
  return longest_tail;
}

bool MemberLines::Writer::fixedFrom(std::uint32_t combination, GeneIndex from) const {
  for (GeneIndex g = from; g < GeneCount; ++g) {
    if ((fixed_classes_[g] >> classOf(combination, g) & 1u) == 0) {
      return false;
    }
  }
  return true;
}

void MemberLines::Writer::spellEnd(GeneIndex from) {
  const bool first = from == last_wheel_gene_ + 1;
  std::size_t size = first ? 0 : end_gene_at_[static_cast<std::size_t>(from)];
  int halvings = first ? 0 : end_halvings_at_[static_cast<std::size_t>(from)];
  for (GeneIndex g = from; g < GeneCount; ++g) {
    end_gene_at_[static_cast<std::size_t>(g)] = size;
    end_halvings_at_[static_cast<std::size_t>(g)] = halvings;
    const Token& token = tokens_[g][static_cast<std::size_t>(classOf(combination_, g))][0];
    std::memcpy(end_.bytes.data() + size, token.bytes.data(), sizeof token.bytes);
    size += token.size;
    halvings += token.halvings;
  }
  end_.bytes[size++] = '\n';
  end_.size = size;
  end_.halvings = halvings;
}

std::size_t MemberLines::Writer::makeWildTails() {
  // Under an empty head, the tail with no text is the genotype with
  // nothing to write at any gene, which the report shows as the wild text.
  std::size_t longest = 0;
  for (std::size_t t = 0; t < tail_count_; ++t) {
    wild_tails_[t] = tails_[t];
    if (tails_[t].size == 1) {
      const std::string_view wild = wild_text_;
      std::copy(wild.begin(), wild.end(), wild_tails_[t].bytes.begin());
      wild_tails_[t].bytes[wild.size()] = '\n';
      wild_tails_[t].size = wild.size() + 1;
      longest = std::max(longest, wild_tails_[t].size);
    }
  }
  return longest;
}

void MemberLines::Writer::writeWithNewEnd(GeneIndex from, Output& out) {
  spellEnd(from);
  // The end's fields, read once: the stores below could be to them.
  const char* end_bytes = end_.bytes.data();
  const std::size_t end_size = end_.size;
  const int end_halvings = end_.halvings;
  constexpr std::size_t kHalf = kTextCopy / 2;
  const std::size_t tail_count = tail_count_;
  std::size_t longest_tail = 0;
  bool empty_tail = false;
  for (std::size_t t = 0; t < tail_count; ++t) {
    Text& tail = tails_[t];
    const std::size_t end_at = end_at_[t];
    char* at = tail.bytes.data() + end_at;
    std::memcpy(at, end_bytes, kHalf);
    if (end_size > kHalf) {
      std::memcpy(at + kHalf, end_bytes + kHalf, kHalf);
    }
    tail.size = end_at + end_size;
    tail.halvings = halvings_before_end_[t] + end_halvings;
    longest_tail = std::max(longest_tail, end_at + end_size);
    empty_tail = empty_tail || end_at + end_size == 1;
  }
  empty_tail_ = empty_tail;
  if (empty_tail_) {
    longest_tail = std::max(longest_tail, makeWildTails());
  }
  // The heads are those of the last combination, still there.
  writeAll(longest_tail, out);
}

void MemberLines::Writer::makeHeads() {
  head_count_ = 0;
  for (;;) {
    // Each head is spelled whole from the lead and the slow wheels'
    // segments, not from the head before it, so that no head's copies wait
    // for the stores that made another.
    assert(head_count_ < kMostHeads);
    Text& head = heads_[head_count_++];
    clear(head);
    append(head, lead_);
    for (std::size_t w = 0; w < static_cast<std::size_t>(slow_count_); ++w) {
      append(head, segments_[w][digit_[w]]);
    }
    // Turn the slow wheels, the last first, carrying leftwards.
    int w = slow_count_ - 1;
    for (; w >= 0; --w) {
      const auto i = static_cast<std::size_t>(w);
      if (++digit_[i] < option_count_[i]) {
        break;
      }
      digit_[i] = 0;
    }
    if (w < 0) {
      return;
    }
  }
}

void MemberLines::Writer::writeAll(std::size_t longest_tail, Output& out) {
  // Heads are mostly short and tails long: each is copied with the
  // smallest of a few sizes that holds every one of the combination.
  using LineWriter = void (Writer::*)(Output&);
  static constexpr std::array<std::array<LineWriter, 3>, 3> kWriters = {{
      {&Writer::writeLines<16, 32>, &Writer::writeLines<16, 48>, &Writer::writeLines<16, 64>},
      {&Writer::writeLines<32, 32>, &Writer::writeLines<32, 48>, &Writer::writeLines<32, 64>},
      {&Writer::writeLines<64, 32>, &Writer::writeLines<64, 48>, &Writer::writeLines<64, 64>},
  }};
  const std::size_t head_copy = longest_head_ <= 16 ? 0 : longest_head_ <= 32 ? 1 : 2;
  const std::size_t tail_copy = longest_tail <= 32 ? 0 : longest_tail <= 48 ? 1 : 2;
  (this->*kWriters[head_copy][tail_copy])(out);
}

template <std::size_t HeadCopy, std::size_t TailCopy>
void MemberLines::Writer::writeLines(Output& out) {
  // Locals, as the stores of the lines could be to anything of char type.
  char* p = at_;
  const char* room_end = room_.data() + room_.size();
  for (const Text* head = heads_.data(); head != heads_.data() + head_count_; ++head) {
    // The lines of one head all fit in the room.
    if (static_cast<std::size_t>(room_end - p) < kMostTails * kLineReach) {
      out.commitAscii(static_cast<std::size_t>(p - room_.data()));
      room_ = out.asciiRoom(Output::kMaxAsciiRoom);
      p = room_.data();
      room_end = room_.data() + room_.size();
    }
    // The head's fields, read once: the stores below could be to them.
    const char* head_bytes = head->bytes.data();
    const std::size_t head_size = head->size;
    const LineStart* starts = starts_.data() + head->halvings;
    const Text* tail = head_size == 0 && empty_tail_ ? wild_tails_.data() : tails_.data();
    for (const Text* end = tail + tail_count_; tail != end; ++tail) {
      const LineStart& start = starts[tail->halvings];
      std::memcpy(p, start.bytes.data(), sizeof start.bytes);
      p += start.size;
      std::memcpy(p, head_bytes, HeadCopy);
      p += head_size;
      std::memcpy(p, tail->bytes.data(), TailCopy);
      p += tail->size;
    }
  }
  at_ = p;
}

}  // namespace quorvale
