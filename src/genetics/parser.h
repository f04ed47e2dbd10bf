#ifndef QUORVALE_GENETICS_PARSER_H_
#define QUORVALE_GENETICS_PARSER_H_

#include <string>
#include <string_view>

#include "genetics/genotype.h"

namespace quorvale {

// The one error the program reports: a genotype text it cannot read. It
// carries the complete catalogue text to show the user (in the language of
// the run, with the user's offending characters appended), and is caught in
// the two places that print it: the colour-from-genotype option and the
// litter report.
struct GenotypeError {
  std::u32string text;
};

// Reads a genotype typed in the breeder's notation ("eeDgdgUu", "ToY",
// "--"). The result has the counts read (0 for every gene not mentioned), the
// Sex code (starting_sex, changed by a sex-linked token: "ToY"/"toY" make a
// male, a four-letter To pair a female) and every expressed flag false.
// Throws GenotypeError on the first fault found; the text after it is not
// examined. One left-to-right pass.
Genotype parseGenotype(std::u32string_view text, Sex starting_sex);

}  // namespace quorvale

#endif  // QUORVALE_GENETICS_PARSER_H_
