#include "text/edit_distance.h"

#include <algorithm>
#include <vector>

namespace quorvale {

int editDistance(std::u32string_view a, std::u32string_view b, int most) {
  const auto length_gap = static_cast<int>(a.size() > b.size() ? a.size() - b.size() : b.size() - a.size());
  if (length_gap > most) {
    return most + 1;
  }
  // d[i][j]: the edits from a's first i characters to b's first j, three
  // rows at a time.
  const std::size_t width = b.size() + 1;
  std::vector<int> before(width);
  std::vector<int> last(width);
  std::vector<int> row(width);
  for (std::size_t j = 0; j < width; ++j) {
    last[j] = static_cast<int>(j);
  }
  for (std::size_t i = 1; i <= a.size(); ++i) {
    row[0] = static_cast<int>(i);
    int least = row[0];
    for (std::size_t j = 1; j < width; ++j) {
      const int change = a[i - 1] == b[j - 1] ? 0 : 1;
      row[j] = std::min({last[j] + 1, row[j - 1] + 1, last[j - 1] + change});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        row[j] = std::min(row[j], before[j - 2] + 1);
      }
      least = std::min(least, row[j]);
    }
    if (least > most) {
      return most + 1;
    }
    std::swap(before, last);
    std::swap(last, row);
  }
  return std::min(last[b.size()], most + 1);
}

}  // namespace quorvale
