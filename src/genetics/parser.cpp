#include "genetics/parser.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "text/language.h"
#include "text/messages.h"

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

// Throws the catalogue message in the language of the run, followed by the
// user's characters as typed and, when the text stopped in the middle of a
// pair, the hint that a gene may have been left out.
[[noreturn]] void reject(MessageId id, std::u32string_view quoted = {}, bool hint = false) {
  const Language language = currentLanguage();
  std::u32string text(messageText(id, language));
  text += quoted;
  if (hint) {
    text += messageText(MessageId::SkippedGeneHint, language);
  }
  throw GenotypeError{std::move(text)};
}

// The record under construction and the genes already given.
struct ParseState {
  Genotype genotype;
  std::array<bool, GeneCount> seen{};
};

// A pair of a one-letter gene, such as "ee", "Ee" or "uU".
// REQUIRES: token has two characters that fold to the same letter.
void readOneLetterPair(std::u32string_view token, ParseState& state) {
  const GeneIndex g = oneLetterGene(fold(token[0]));
  if (g == kNoGene) {
    reject(MessageId::CannotParse, token);
  }
  if (state.seen[g]) {
    reject(MessageId::RepeatedGene, token);
  }
  state.genotype.alleleCount[g] = mutantCount(g, token[0], token[1]);
  state.seen[g] = true;
}

// "ToY" or "toY": the single X chromosome of a male, with or without Yellow.
// Repeating it is allowed, and a later "toY" keeps an earlier "ToY".
void readMaleYellow(std::u32string_view token, ParseState& state) {
  Genotype& g = state.genotype;
  if (sexOf(g) == Sex::Female) {
    reject(MessageId::YInFemale);
  }
  setSex(g, Sex::Male);
  if (token[0] == U'T') {
    g.alleleCount[gene::to] = 2;
  }
  state.seen[gene::to] = true;
}

// A pair of a two-letter gene, such as "dgdg", "Baba" or "ToTo": the same
// symbol twice, the case of each first letter giving the allele, the second
// letters lower case and identical.
// REQUIRES: token has four characters.
void readTwoLetterPair(std::u32string_view token, ParseState& state) {
  if (fold(token[0]) != fold(token[2]) || token[1] != token[3]) {
    reject(MessageId::CannotParse, token);
  }
  const GeneIndex g = twoLetterGene(fold(token[0]), token[1]);
  if (g == kNoGene) {
    reject(MessageId::CannotParse, token);
  }
  if (state.seen[g]) {
    reject(MessageId::RepeatedGene, token);
  }
  if (g == gene::to) {
    // Two Yellow alleles mean two X chromosomes: a female.
    if (sexOf(state.genotype) == Sex::Male) {
      reject(MessageId::OneToInMale);
    }
    setSex(state.genotype, Sex::Female);
  }
  state.genotype.alleleCount[g] = mutantCount(g, token[0], token[2]);
  state.seen[g] = true;
}

bool isMaleYellowToken(std::u32string_view three) { return three == U"ToY" || three == U"toY"; }

}  // namespace

Genotype parseGenotype(std::u32string_view text, Sex starting_sex) {
  ParseState state;
  setSex(state.genotype, starting_sex);
  if (text == U"--") {
    return state.genotype;  // the all-wild animal
  }

  // One token per step. Which token it is follows from the first two
  // characters and from how many characters are left, and the checks run in a
  // fixed order because that order decides which message the user sees.
  const std::size_t size = text.size();
  std::size_t pos = 0;
  while (pos < size) {
    const std::size_t left = size - pos;
    if (left == 1) {
      reject(MessageId::CannotParse, text.substr(pos, 1), /*hint=*/true);
    }
    if (fold(text[pos]) == fold(text[pos + 1])) {
      readOneLetterPair(text.substr(pos, 2), state);
      pos += 2;
      continue;
    }
    if (left == 2) {
      reject(MessageId::CannotParse, text.substr(pos, 2), /*hint=*/true);
    }
    if (isMaleYellowToken(text.substr(pos, 3))) {
      readMaleYellow(text.substr(pos, 3), state);
      pos += 3;
      continue;
    }
    if (left == 3) {
      reject(MessageId::CannotParse, text.substr(pos, 3));
    }
    readTwoLetterPair(text.substr(pos, 4), state);
    pos += 4;
  }
  return state.genotype;
}

}  // namespace quorvale
