#ifndef QUORVALE_LITTER_KEY_TABLE_H_
#define QUORVALE_LITTER_KEY_TABLE_H_

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorvale {

// A map from 64-bit keys to 32-bit values, for the litter's per-combination
// lookups: the largest litter asks one 165,888 times, and it holds a few
// thousand keys. It is an open-addressed table of at least twice as many
// slots as keys, probed linearly from the top bits of a multiplicative hash:
// no division and no node to chase, as the standard map would have.
class KeyTable {
 public:
  // The value no key is given; a key that has not been met yet has it.
  static constexpr std::uint32_t kNone = ~std::uint32_t{0};

  // The value of key, which the caller sets through the reference when it
  // is kNone. The reference stays valid until the next call.
  std::uint32_t& operator[](std::uint64_t key);

 private:
  struct Slot {
    std::uint64_t key = 0;
    std::uint32_t value = kNone;
  };

  // The slot of key, or the empty slot where it belongs.
  Slot& find(std::uint64_t key);

  // Doubles the slots and places every key again.
  void grow();

  std::vector<Slot> slots_;
  std::size_t used_ = 0;
  int shift_ = 64;  // a key's first slot is the top bits of its hash
};

}  // namespace quorvale

#endif  // QUORVALE_LITTER_KEY_TABLE_H_
