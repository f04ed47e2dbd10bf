#ifndef QUORVALE_GENETICS_PARSER_H_
#define QUORVALE_GENETICS_PARSER_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "genetics/genotype.h"

namespace quorvale {

// What is wrong with a genotype text. When a text has several faults, the
// first one met from the left is reported.
enum class GenotypeFault : std::uint8_t {
  CannotParse,   // a piece that is no token of the notation
  RepeatedGene,  // a gene given a second time
  YInFemale,     // "ToY" or "toY" in a female
  OneToInMale,   // a four-letter To pair in a male
};

// The one error the program reports: a genotype text it cannot read. It says
// what to tell the user, not the words (text/genotype_error.h renders it in
// the language of the run): the fault, the user's characters that show it
// (one to four characters of the text, as typed; none for the two sex
// faults), and whether the hint that a gene may have been left out follows
// (the text stopped in the middle of a pair). It is data, held by
// GenotypeReader: bad input is an answer, not an exception.
struct GenotypeError {
  GenotypeFault fault = GenotypeFault::CannotParse;
  std::u32string quoted;
  bool hint = false;
  friend bool operator==(const GenotypeError&, const GenotypeError&) = default;
};

// Reads a genotype typed in the breeder's notation ("eeDgdgUu", "ToY",
// "--"), one character at a time, so a text of any length is read in
// constant memory: it holds the record so far and at most the four
// characters the next step depends on. The record has the counts read (0 for
// every gene not mentioned), the Sex code (starting_sex, changed by a
// sex-linked token: "ToY"/"toY" make a male, a four-letter To pair a female)
// and every expressed flag false. The first fault found stops the reading;
// the characters after it are not examined.
class GenotypeReader {
 public:
  explicit GenotypeReader(Sex starting_sex);

  // Takes the next character of the text. Returns false once a fault has
  // been found: nothing fed after that is looked at.
  bool feed(char32_t c);

  // Ends the text and settles the characters still held.
  void finish();

  // True once a fault has been found.
  bool failed() const { return error_.has_value(); }

  // The record read.
  // REQUIRES: finish() has been called and !failed().
  const Genotype& genotype() const { return genotype_; }

  // The first fault of the text.
  // REQUIRES: failed().
  const GenotypeError& error() const { return *error_; }

 private:
  // Reads the token at the start of the held characters, knowing that no
  // more follow them when fewer than four are held, and drops it.
  void step();

  // Records the fault; the reading is over.
  void reject(GenotypeFault fault, std::size_t quoted_size = 0, bool hint = false);

  void readOneLetterPair();
  void readMaleYellow();
  void readTwoLetterPair();

  Genotype genotype_;
  std::array<bool, GeneCount> seen_{};
  std::array<char32_t, 4> held_{};  // the characters not yet read as a token
  std::size_t held_size_ = 0;
  bool token_read_ = false;  // a token has been read, so the text is not "--"
  std::optional<GenotypeError> error_;
};

// A reader fed the whole text, finished.
GenotypeReader readGenotype(std::u32string_view text, Sex starting_sex);

}  // namespace quorvale

#endif  // QUORVALE_GENETICS_PARSER_H_
