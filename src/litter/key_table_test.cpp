#include "litter/key_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace quorvale {
namespace {

// Keys as the grouping makes them (packed description fields), plus the
// extremes: 0 looks like an empty slot's key, and keys that share their
// low bits land near each other.
std::vector<std::uint64_t> keys(std::size_t n) {
  std::vector<std::uint64_t> out = {0, ~std::uint64_t{0}, 1, std::uint64_t{1} << 63};
  for (std::uint64_t i = 1; out.size() < n; ++i) {
    out.push_back(i << 40 | (i * 7 % 13) << 8 | i % 5);
  }
  return out;
}

TEST(KeyTable, KeepsEveryValueThroughGrowth) {
  KeyTable table;
  // Far past the first size (64 slots, at most half of them used), so the
  // table grows several times while values are being set.
  const std::vector<std::uint64_t> all = keys(5000);
  for (std::size_t i = 0; i < all.size(); ++i) {
    std::uint32_t& value = table[all[i]];
    ASSERT_EQ(value, KeyTable::kNone) << "key " << i << " met for the first time";
    value = static_cast<std::uint32_t>(i);
    // The keys set before are all still there, with their values, after
    // the growth this one may have caused.
    if (i % 97 == 0 || i < 70) {
      for (std::size_t j = 0; j <= i; ++j) {
        ASSERT_EQ(table[all[j]], j) << "key " << j << " after " << i + 1 << " keys";
      }
    }
  }
  for (std::size_t i = 0; i < all.size(); ++i) {
    EXPECT_EQ(table[all[i]], i);
  }
  // A key never set has no value (and now takes a slot, as the grouping's
  // next description would).
  EXPECT_EQ(table[std::uint64_t{12345} << 20], KeyTable::kNone);
}

}  // namespace
}  // namespace quorvale
