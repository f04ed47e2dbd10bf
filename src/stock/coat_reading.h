#ifndef QUORVALE_STOCK_COAT_READING_H_
#define QUORVALE_STOCK_COAT_READING_H_

#include <optional>
#include <string_view>
#include <vector>

#include "genetics/genotype.h"
#include "phenotype/colour_line.h"
#include "phenotype/description.h"

namespace quorvale {

// A coat as a stock file records it: a colour line as the colour lookup
// reads it (phenotype/colour_line.h), exactly as typed, in either language;
// without SH or LH the coat length is not known, so both lengths fit.
inline constexpr LineFit kCoatFit{/*exact=*/true, /*untyped_length=*/ColourWord::None};

struct Coat {
  // The lines of animals that are born that it fits, ascending by their
  // keys' bits; none for the lethal combination.
  std::vector<DescriptionKey> lines;
  // The line as the answers write it again: its coat length None when the
  // record leaves it out.
  DescriptionKey line;
  bool lethal = false;  // the lethal combination, which is never born
  // The sex the coat says: a sex suffix, or a tortoiseshell's.
  Sex sex = Sex::Unspecified;
};

struct CoatReading {
  std::optional<Coat> coat;
  ColourLineError error;  // when there is no coat
};

CoatReading readCoat(std::u32string_view text);

}  // namespace quorvale

#endif  // QUORVALE_STOCK_COAT_READING_H_
