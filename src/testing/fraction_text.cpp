#include "testing/fraction_text.h"

#include <cstdint>

#include "text/utf8.h"

namespace quorvale {

std::u32string fractionText(double p) {
  // Try denominators 1, 2, 4, ... and stop at the first that holds p
  // exactly; 2^29 is the last one tried and is kept whatever p is.
  std::int32_t numerator = 0;
  std::int32_t denominator = 1;
  for (int i = 0; i <= 29; ++i) {
    denominator = std::int32_t{1} << i;
    const double scaled = p * denominator;
    numerator = static_cast<std::int32_t>(scaled);
    if (static_cast<double>(numerator) == scaled) {
      break;
    }
  }
  return fromUtf8(std::to_string(numerator) + "/" + std::to_string(denominator));
}

}  // namespace quorvale
