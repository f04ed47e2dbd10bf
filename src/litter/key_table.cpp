#include "litter/key_table.h"

#include <bit>

namespace quorvale {

std::uint32_t& KeyTable::operator[](std::uint64_t key) {
  if (2 * (used_ + 1) > slots_.size()) {
    grow();
  }
  Slot& slot = find(key);
  if (slot.value == kNone) {
    slot.key = key;
    ++used_;
  }
  return slot.value;
}

KeyTable::Slot& KeyTable::find(std::uint64_t key) {
  const std::size_t mask = slots_.size() - 1;
  // The top bits of the product depend on every bit of the key.
  std::size_t i = static_cast<std::size_t>((key * 0x9E3779B97F4A7C15u) >> shift_);
  while (slots_[i].value != kNone && slots_[i].key != key) {
    i = (i + 1) & mask;
  }
  return slots_[i];
}

void KeyTable::grow() {
  std::vector<Slot> old(slots_.empty() ? std::size_t{64} : 2 * slots_.size());
  old.swap(slots_);
  shift_ = 64 - std::countr_zero(slots_.size());
  for (const Slot& slot : old) {
    if (slot.value != kNone) {
      find(slot.key) = slot;
    }
  }
}

}  // namespace quorvale
