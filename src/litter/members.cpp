#include "litter/members.h"

#include <algorithm>

namespace quorvale {

namespace {

const GeneClass& classAt(const LitterExpansion& expansion, std::uint32_t combination, GeneIndex g) {
  return expansion.classes[g][static_cast<std::size_t>(classOf(combination, g))];
}

// The text of a genotype that has nothing to write.
constexpr std::string_view kWild = "--";

}  // namespace

std::uint64_t memberCount(const LitterExpansion& expansion,
                          std::span<const std::uint32_t> combinations) {
  std::uint64_t count = 0;
  for (const std::uint32_t combination : combinations) {
    std::uint64_t product = 1;
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      product *= classAt(expansion, combination, g).options.size();
    }
    count += product;
  }
  return count;
}

void MemberWalk::start(std::uint32_t combination, std::uint64_t at) {
  combination_ = combination;
  // The member's digits, the last gene the fastest.
  for (GeneIndex g = GeneCount; g-- > 0;) {
    options_[g] = classAt(expansion_, combination, g).options.size();
    digit_[g] = at % options_[g];
    at /= options_[g];
  }
  stale_from_ = 0;
}

bool MemberWalk::next() {
  for (GeneIndex g = GeneCount; g-- > 0;) {
    if (++digit_[g] < options_[g]) {
      stale_from_ = std::min(stale_from_, g);
      return true;
    }
    digit_[g] = 0;
    stale_from_ = std::min(stale_from_, g);
  }
  return false;
}

Member MemberWalk::current() {
  // Spelled again only from the first gene that turned.
  text_at_[0] = 0;
  halvings_at_[0] = 0;
  for (GeneIndex g = stale_from_; g < GeneCount; ++g) {
    const GeneOption& option = classAt(expansion_, combination_, g).options[digit_[g]];
    std::copy(option.token.begin(), option.token.end(), text_.begin() + text_at_[g]);
    text_at_[g + 1] = text_at_[g] + option.token.size();
    halvings_at_[g + 1] = halvings_at_[g] + option.halvings;
  }
  stale_from_ = GeneCount;
  const std::size_t size = text_at_[GeneCount];
  return {size == 0 ? kWild : std::string_view(text_.data(), size), halvings_at_[GeneCount]};
}

}  // namespace quorvale
