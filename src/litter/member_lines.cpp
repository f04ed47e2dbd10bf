#include "litter/member_lines.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorvale {

MemberLines::MemberLines(const GroupedLitter& litter) : litter_(litter) {
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
    for (const GeneClass& cls : litter.classes[g]) {
      if (cls.options.size() > kMostOptions) {
        throw std::logic_error("a gene with more than four children");
      }
      if (cls.options.size() == 1) {
        fixed_classes_[g] |= 1u << tokens_[g].size();
      }
      std::vector<Token>& tokens = tokens_[g].emplace_back();
      for (const GeneOption& option : cls.options) {
        if (option.token.size() > kTokenSize) {
          throw std::logic_error("a gene's text is longer than two alleles");
        }
        Token& token = tokens.emplace_back();
        std::copy(option.token.begin(), option.token.end(), token.bytes.begin());
        token.size = option.token.size();
        token.halvings = option.halvings;
      }
    }
  }
}

template <std::size_t N>
void MemberLines::clear(Slot<N>& slot) {
  slot.size = 0;
  slot.halvings = 0;
}

template <std::size_t N, std::size_t M>
void MemberLines::append(Slot<N>& slot, const Slot<M>& text) {
  static_assert(M <= N);
  std::memcpy(slot.bytes.data() + slot.size, text.bytes.data(), M);
  slot.size += text.size;
  slot.halvings += text.halvings;
}

void MemberLines::spell(Text& text, int from, int end) {
  text.size = text_at_[static_cast<std::size_t>(from)];
  text.halvings = halvings_before_[static_cast<std::size_t>(from)];
  for (int w = from; w < end; ++w) {
    const auto i = static_cast<std::size_t>(w);
    text_at_[i] = text.size;
    halvings_before_[i] = text.halvings;
    append(text, segments_[i][digit_[i]]);
  }
}

void MemberLines::write(std::span<const std::uint32_t> combinations, Output& out) {
  room_ = out.asciiRoom(Output::kMaxAsciiRoom);
  at_ = room_.data();
  for (std::uint32_t combination : combinations) {
    writeCombination(combination, out);
  }
  out.commitAscii(static_cast<std::size_t>(at_ - room_.data()));
}

void MemberLines::writeCombination(std::uint32_t combination, Output& out) {
  // The lead, the wheels and their segments. Consecutive combinations
  // mostly differ only in their last genes, so the segments are made again
  // only from the first gene that differs, from the state noted before it.
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
  from = std::min(from, segments_stale_from_);
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

  // The longest any head of the combination can be.
  longest_head_ = lead_.size;
  for (std::size_t w = 0; w < static_cast<std::size_t>(slow_count_); ++w) {
    std::size_t longest = 0;
    for (std::size_t o = 0; o < option_count_[w]; ++o) {
      longest = std::max(longest, segments_[w][o].size);
    }
    longest_head_ += longest;
  }
  writeAll(longest_tail, /*heads_made=*/false, out);
}

bool MemberLines::fixedFrom(std::uint32_t combination, GeneIndex from) const {
  for (GeneIndex g = from; g < GeneCount; ++g) {
    if ((fixed_classes_[g] >> classOf(combination, g) & 1u) == 0) {
      return false;
    }
  }
  return true;
}

void MemberLines::spellEnd(GeneIndex from) {
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

std::size_t MemberLines::makeWildTails() {
  // Under an empty head, the tail with no text is the genotype with
  // nothing to write at any gene, which the report shows as the wild text.
  std::size_t longest = 0;
  for (std::size_t t = 0; t < tail_count_; ++t) {
    wild_tails_[t] = tails_[t];
    if (tails_[t].size == 1) {
      const std::string_view wild = litter_.wildText;
      std::copy(wild.begin(), wild.end(), wild_tails_[t].bytes.begin());
      wild_tails_[t].bytes[wild.size()] = '\n';
      wild_tails_[t].size = wild.size() + 1;
      longest = std::max(longest, wild_tails_[t].size);
    }
  }
  return longest;
}

void MemberLines::writeWithNewEnd(GeneIndex from, Output& out) {
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
  // The heads are those of the last combination: if they were all made at
  // once, they are still there.
  writeAll(longest_tail, /*heads_made=*/heads_whole_, out);
}

void MemberLines::makeHeads() {
  head_count_ = 0;
  for (;;) {
    // Each head is spelled whole from the lead and the slow wheels'
    // segments, not from the head before it, so that no head's copies wait
    // for the stores that made another.
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
    heads_done_ = w < 0;
    if (heads_done_ || head_count_ == kMostHeads) {
      return;
    }
  }
}

void MemberLines::writeAll(std::size_t longest_tail, bool heads_made, Output& out) {
  // Every slow wheel is at its first option, as a whole round of the
  // odometer leaves them.
  if (!heads_made) {
    makeHeads();
    heads_whole_ = heads_done_;
  }

  // Heads are mostly short and tails long: each is copied with the
  // smallest of a few sizes that holds every one of the combination.
  using LineWriter = void (MemberLines::*)(Output&);
  static constexpr std::array<std::array<LineWriter, 3>, 3> kWriters = {{
      {&MemberLines::writeLines<16, 32>, &MemberLines::writeLines<16, 48>,
       &MemberLines::writeLines<16, 64>},
      {&MemberLines::writeLines<32, 32>, &MemberLines::writeLines<32, 48>,
       &MemberLines::writeLines<32, 64>},
      {&MemberLines::writeLines<64, 32>, &MemberLines::writeLines<64, 48>,
       &MemberLines::writeLines<64, 64>},
  }};
  const std::size_t head_copy = longest_head_ <= 16 ? 0 : longest_head_ <= 32 ? 1 : 2;
  const std::size_t tail_copy = longest_tail <= 32 ? 0 : longest_tail <= 48 ? 1 : 2;
  (this->*kWriters[head_copy][tail_copy])(out);
}

template <std::size_t HeadCopy, std::size_t TailCopy>
void MemberLines::writeLines(Output& out) {
  // Locals, as the stores of the lines could be to anything of char type.
  char* p = at_;
  const char* room_end = room_.data() + room_.size();
  for (;;) {
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
    if (heads_done_) {
      break;
    }
    makeHeads();
  }
  at_ = p;
}

}  // namespace quorvale
