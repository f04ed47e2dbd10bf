#include "genetics/parser.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace quorvale {

namespace {

constexpr GeneIndex kNoGene = -1;

constexpr bool isLatinCapital(char32_t c) { return c >= U'A' && c <= U'Z'; }

// The one case rule of the notation: a Latin capital becomes its lower-case
// letter, every other character stays as it is. No locale mapping, so a
// Cyrillic or Greek letter never looks like a gene symbol.
constexpr char32_t fold(char32_t c) { return isLatinCapital(c) ? c + (U'a' - U'A') : c; }

constexpr bool isLatinSmall(char32_t c) { return c >= U'a' && c <= U'z'; }

// The gene symbols by their letters, built once from the gene table:
// [first][0] holds the gene of a one-letter symbol, [first][second + 1] that
// of a two-letter one (letters counted from 'a'), kNoGene where there is none.
// Equivalent to comparing a candidate with each of the fourteen symbols, but
// one probe per token.
using SymbolTable = std::array<std::array<std::int8_t, 27>, 26>;

const SymbolTable& symbolTable() {
  static const SymbolTable table = [] {
    SymbolTable t;
    for (auto& row : t) {
      row.fill(kNoGene);
    }
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      const std::string_view symbol = geneSymbol(g);
      const int second = symbol.size() == 1 ? 0 : symbol[1] - 'a' + 1;
      t[symbol[0] - 'a'][second] = static_cast<std::int8_t>(g);
    }
    return t;
  }();
  return table;
}

// The gene whose symbol is the one letter `letter`, or kNoGene.
GeneIndex oneLetterGene(char32_t letter) {
  return isLatinSmall(letter) ? symbolTable()[letter - U'a'][0] : kNoGene;
}

// The gene whose symbol is `first` followed by `second`, or kNoGene. The
// symbols are stored in lower case, so a capital never matches.
GeneIndex twoLetterGene(char32_t first, char32_t second) {
  if (!isLatinSmall(first) || !isLatinSmall(second)) {
    return kNoGene;
  }
  return symbolTable()[first - U'a'][second - U'a' + 1];
}

// The number of mutant alleles given by the first letters of the two alleles
// of a pair, by the allele-case table.
// REQUIRES: both letters fold to the first letter of g's symbol.
int mutantCount(GeneIndex g, char32_t first, char32_t second) {
  return mutantCountOfCapitals(g,
                               (isLatinCapital(first) ? 1 : 0) + (isLatinCapital(second) ? 1 : 0));
}

bool isMaleYellowToken(char32_t a, char32_t b, char32_t c) {
  return (a == U'T' || a == U't') && b == U'o' && c == U'Y';
}

}  // namespace

GenotypeReader::GenotypeReader(Sex starting_sex) { setSex(genotype_, starting_sex); }

void GenotypeReader::reject(GenotypeFault fault, std::size_t quoted_size, bool hint) {
  error_ = GenotypeError{fault, std::u32string(held_.data(), quoted_size), hint};
}

// A pair of a one-letter gene, such as "ee", "Ee" or "uU".
// REQUIRES: the first two held characters fold to the same letter.
void GenotypeReader::readOneLetterPair() {
  const GeneIndex g = oneLetterGene(fold(held_[0]));
  if (g == kNoGene) {
    return reject(GenotypeFault::CannotParse, 2);
  }
  if (seen_[g]) {
    return reject(GenotypeFault::RepeatedGene, 2);
  }
  genotype_.alleleCount[g] = mutantCount(g, held_[0], held_[1]);
  seen_[g] = true;
}

// "ToY" or "toY": the single X chromosome of a male, with or without Yellow.
// Repeating it is allowed, and a later "toY" keeps an earlier "ToY".
void GenotypeReader::readMaleYellow() {
  if (sexOf(genotype_) == Sex::Female) {
    return reject(GenotypeFault::YInFemale);
  }
  setSex(genotype_, Sex::Male);
  if (held_[0] == U'T') {
    genotype_.alleleCount[gene::to] = 2;
  }
  seen_[gene::to] = true;
}

// A pair of a two-letter gene, such as "dgdg", "Baba" or "ToTo": the same
// symbol twice, the case of each first letter giving the allele, the second
// letters lower case and identical.
// REQUIRES: four characters held.
void GenotypeReader::readTwoLetterPair() {
  if (fold(held_[0]) != fold(held_[2]) || held_[1] != held_[3]) {
    return reject(GenotypeFault::CannotParse, 4);
  }
  const GeneIndex g = twoLetterGene(fold(held_[0]), held_[1]);
  if (g == kNoGene) {
    return reject(GenotypeFault::CannotParse, 4);
  }
  if (seen_[g]) {
    return reject(GenotypeFault::RepeatedGene, 4);
  }
  if (g == gene::to) {
    // Two Yellow alleles mean two X chromosomes: a female.
    if (sexOf(genotype_) == Sex::Male) {
      return reject(GenotypeFault::OneToInMale);
    }
    setSex(genotype_, Sex::Female);
  }
  genotype_.alleleCount[g] = mutantCount(g, held_[0], held_[2]);
  seen_[g] = true;
}

void GenotypeReader::step() {
  // Which token comes next follows from its first two to four characters
  // and from how many are left: exactly held_size_ at the end of the text,
  // and at least four while it goes on, which needs no more to decide. The
  // checks run in a fixed order because that order decides which message
  // the user sees.
  const std::size_t left = held_size_;
  std::size_t token = 0;
  if (left == 1) {
    return reject(GenotypeFault::CannotParse, 1, /*hint=*/true);
  }
  if (fold(held_[0]) == fold(held_[1])) {
    readOneLetterPair();
    token = 2;
  } else if (left == 2) {
    return reject(GenotypeFault::CannotParse, 2, /*hint=*/true);
  } else if (isMaleYellowToken(held_[0], held_[1], held_[2])) {
    readMaleYellow();
    token = 3;
  } else if (left == 3) {
    return reject(GenotypeFault::CannotParse, 3);
  } else {
    readTwoLetterPair();
    token = 4;
  }
  if (failed()) {
    return;
  }
  token_read_ = true;
  for (std::size_t i = token; i < held_size_; ++i) {
    held_[i - token] = held_[i];
  }
  held_size_ -= token;
}

bool GenotypeReader::feed(char32_t c) {
  if (failed()) {
    return false;
  }
  held_[held_size_++] = c;
  if (held_size_ == held_.size()) {
    step();
  }
  return !failed();
}

void GenotypeReader::finish() {
  // "--" on its own is the all-wild animal; anywhere else it is no token.
  if (!token_read_ && held_size_ == 2 && held_[0] == U'-' && held_[1] == U'-') {
    held_size_ = 0;
  }
  while (held_size_ > 0 && !failed()) {
    step();
  }
}

GenotypeReader readGenotype(std::u32string_view text, Sex starting_sex) {
  GenotypeReader reader(starting_sex);
  for (const char32_t c : text) {
    if (!reader.feed(c)) {
      break;
    }
  }
  reader.finish();
  return reader;
}

}  // namespace quorvale
