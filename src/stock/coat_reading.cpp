#include "stock/coat_reading.h"

#include "stock/coat_boxes.h"

namespace quorvale {

CoatReading readCoat(std::u32string_view text) {
  CoatReading reading;
  ColourLineReading read = readColourLine(text, kCoatFit);
  if (!read.pattern) {
    reading.error = std::move(read.error);
    return reading;
  }
  Coat coat;
  // The sex is the record's, not the line's: the lines fit without it.
  LinePattern pattern = *read.pattern;
  coat.sex = pattern.sex;
  pattern.sex = Sex::Unspecified;
  coat.lethal = pattern.base == BaseColour::Lethal;
  for (const DescriptionKey line : everyColourLine()) {
    if (fitsLine(line, pattern, kCoatFit)) {
      coat.lines.push_back(line);
    }
  }
  if (!coat.lines.empty()) {
    coat.line = pattern.length == ColourWord::None ? withoutCoatLength(coat.lines.front())
                                                   : coat.lines.front();
  }
  reading.coat = std::move(coat);
  return reading;
}

}  // namespace quorvale
