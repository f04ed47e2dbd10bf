#ifndef QUORVALE_STOCK_COAT_READING_H_
#define QUORVALE_STOCK_COAT_READING_H_

#include <optional>
#include <string_view>
#include <vector>

#include "genetics/genotype.h"
#include "phenotype/description.h"

namespace quorvale {

// A coat as a stock file records it: a colour line as option 1 writes its
// first line, in either language, folded as the colour lookup folds names,
// with or without its coat length, and with or without a sex suffix.
struct CoatReading {
  // The lines it fits (both coat lengths when it leaves the length out),
  // ascending by their keys' bits.
  std::vector<DescriptionKey> lines;
  // The line as the answers write it again: its coat length None when the
  // record leaves it out.
  DescriptionKey line;
  bool lethal = false;      // the lethal combination, which is never born
  Sex suffix = Sex::Unspecified;  // the sex suffix written, if any
};

// Nothing when the text is no colour line.
std::optional<CoatReading> readCoat(std::u32string_view text);

}  // namespace quorvale

#endif  // QUORVALE_STOCK_COAT_READING_H_
