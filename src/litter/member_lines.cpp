#include "litter/member_lines.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string>

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

void MemberLines::rewriteHead(GeneIndex from) {
  std::size_t at = head_at_[from];
  int halvings = halvings_before_[from];
  for (GeneIndex g = from; g < fast_; ++g) {
    head_at_[g] = at;
    halvings_before_[g] = halvings;
    const Token& token = (*options_[g])[digit_[g]];
    std::memcpy(head_.bytes.data() + at, token.bytes.data(), sizeof token.bytes);
    at += token.size;
    halvings += token.halvings;
  }
  head_.size = at;
  head_.halvings = halvings;
}

void MemberLines::write(std::uint32_t combination, Output& out) {
  const std::array<int, GeneCount> chosen = classesOf(litter_, combination);
  wheel_count_ = 0;
  for (GeneIndex g = 0; g < GeneCount; ++g) {
    options_[g] = &tokens_[g][static_cast<std::size_t>(chosen[g])];
    digit_[g] = 0;
    if (options_[g]->size() > 1) {
      wheels_[static_cast<std::size_t>(wheel_count_++)] = g;
    }
  }
  fast_ = wheel_count_ > 0 ? wheels_[static_cast<std::size_t>(--wheel_count_)] : GeneCount;

  // The tails: each option of the fast wheel, then the genes that never turn.
  const std::size_t tail_count = fast_ < GeneCount ? options_[fast_]->size() : 1;
  tails_.assign(tail_count, Text{});
  for (std::size_t option = 0; option < tail_count; ++option) {
    Text& tail = tails_[option];
    for (GeneIndex g = fast_; g < GeneCount; ++g) {
      const Token& token = (*options_[g])[g == fast_ ? option : 0];
      std::memcpy(tail.bytes.data() + tail.size, token.bytes.data(), sizeof token.bytes);
      tail.size += token.size;
      tail.halvings += token.halvings;
    }
    tail.bytes[tail.size++] = '\n';
  }
  head_at_[0] = 0;
  halvings_before_[0] = 0;
  rewriteHead(0);

  std::span<char> room = out.asciiRoom(Output::kMaxAsciiRoom);
  char* p = room.data();
  for (;;) {
    for (const Text& tail : tails_) {
      if (static_cast<std::size_t>(room.data() + room.size() - p) < kLineReach) {
        out.commitAscii(static_cast<std::size_t>(p - room.data()));
        room = out.asciiRoom(Output::kMaxAsciiRoom);
        p = room.data();
      }
      const int halvings = head_.halvings + tail.halvings;
      const LineStart& start = starts_[static_cast<std::size_t>(halvings)];
      std::memcpy(p, start.bytes.data(), sizeof start.bytes);
      p += start.size;
      if (head_.size + tail.size == 1) [[unlikely]] {
        // Nothing to write at any gene: the genotype is all wild.
        std::memcpy(p, litter_.wildText.data(), litter_.wildText.size());
        p += litter_.wildText.size();
      }
      std::memcpy(p, head_.bytes.data(), kTextCopy);
      p += head_.size;
      std::memcpy(p, tail.bytes.data(), kTextCopy);
      p += tail.size;
    }
    // Turn the slow wheels, the last first, carrying leftwards.
    int w = wheel_count_ - 1;
    for (; w >= 0; --w) {
      const GeneIndex g = wheels_[static_cast<std::size_t>(w)];
      if (++digit_[g] < options_[g]->size()) {
        break;
      }
      digit_[g] = 0;
    }
    if (w < 0) {
      break;
    }
    rewriteHead(wheels_[static_cast<std::size_t>(w)]);
  }
  out.commitAscii(static_cast<std::size_t>(p - room.data()));
}

}  // namespace quorvale
