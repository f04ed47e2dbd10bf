#ifndef QUORVALE_LITTER_MEMBERS_H_
#define QUORVALE_LITTER_MEMBERS_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "litter/expansion.h"

namespace quorvale {

// The members of some combinations of a litter one by one, in the order of
// the report's member lines (each combination in turn; within one, as an
// odometer over its genes' options, the last gene turning fastest), for
// those who want them as data rather than as lines: the JSON of a litter,
// a page of a group's members. The report itself writes its lines with
// litter/member_lines.h.

// One member: its genotype text ("--" when it has nothing to write) and
// its chance, 2^-halvings of the whole litter.
struct Member {
  std::string_view genotype;
  int halvings = 0;
};

// The number of members of the combinations.
std::uint64_t memberCount(const LitterExpansion& expansion,
                          std::span<const std::uint32_t> combinations);

// Calls visit(const Member&) for the members first to first + count - 1 of
// the combinations (fewer when they end first), without listing the ones
// before: whole combinations are skipped by their sizes. The genotype text
// is valid only during the call.
class MemberWalk {
 public:
  // REQUIRES: expansion outlives this object.
  explicit MemberWalk(const LitterExpansion& expansion) : expansion_(expansion) {}

  template <typename Visit>
  void walk(std::span<const std::uint32_t> combinations, std::uint64_t first, std::uint64_t count,
            Visit visit);

 private:
  // Sets up combination's odometer at its member `at`.
  void start(std::uint32_t combination, std::uint64_t at);
  // Turns the odometer one member on; false after the last member.
  bool next();
  // The genotype text of the member the odometer stands at.
  Member current();

  const LitterExpansion& expansion_;
  std::uint32_t combination_ = 0;
  std::array<std::size_t, GeneCount> digit_{};
  std::array<std::size_t, GeneCount> options_{};
  // The text so far: where each gene's part begins, and the halvings
  // before it.
  std::array<char, std::size_t{GeneCount} * 4> text_{};
  std::array<std::size_t, GeneCount + 1> text_at_{};
  std::array<int, GeneCount + 1> halvings_at_{};
  GeneIndex stale_from_ = 0;  // the first gene whose part must be spelled again
};

template <typename Visit>
void MemberWalk::walk(std::span<const std::uint32_t> combinations, std::uint64_t first,
                      std::uint64_t count, Visit visit) {
  for (const std::uint32_t combination : combinations) {
    if (count == 0) {
      return;
    }
    const std::uint64_t size = memberCount(expansion_, std::span(&combination, 1));
    if (first >= size) {
      first -= size;
      continue;
    }
    start(combination, first);
    first = 0;
    do {
      visit(current());
    } while (--count != 0 && next());
  }
}

}  // namespace quorvale

#endif  // QUORVALE_LITTER_MEMBERS_H_
