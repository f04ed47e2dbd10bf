#ifndef QUORVALE_STOCK_PROVE_H_
#define QUORVALE_STOCK_PROVE_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "genetics/genotype.h"
#include "stock/stock.h"
#include "stock/stock_litter.h"
#include "text/exact.h"

namespace quorvale {

// Test matings: how many young, by which mate, before a breeder knows
// whether an animal of the stock has a gene its coat does not show.
//
// A young *reveals* a state of the tested animal's gene when its colour
// line (with its sex, without warnings) is one no young of the pair could
// have unless the tested animal has at least that many copies: the lines
// the pair can have at all, the file and fewer copies given, are worked out
// from the parents' joint (any reading of the file, however many unseen
// alleles it takes), and every other line reveals. Only young that are
// born are seen, so chances are of the born.
//
// For a mate, `reveal` is the chance that one young reveals the state,
// given the file and that the tested animal has exactly that state (the
// fewest copies being tested: the hardest case). The mate's genotype comes
// from the same joint, so a daughter of a tested sire carries with 1/2 when
// he does. Each joint genotype G of the two has its own share r_G of young
// that reveal; the young of one mate share its genotype, so a carrier
// shows nothing in k young with chance
//   miss(k) = sum over G of P(G) (1 - r_G)^k,
// which falls to the chance of the G with r_G = 0, and may never reach
// 1 - confidence: then that mate alone never reaches it, and the answer is
// how many such mates (each one litter, independent given the tested
// animal) do: the fewest m with miss(N)^m <= 1 - confidence. Every number
// is decided by comparing exact fractions.

// A confidence asked for: in per cent, strictly between 0 and 100.
struct Confidence {
  Ratio miss;         // 1 - P/100, the chance of missing a carrier left
  std::string label;  // P as typed, normalised: "95", "99.9"
};

// A confidence as typed: digits with at most one decimal point or comma
// and at most 6 decimals; nothing when it is not a number strictly between
// 0 and 100.
std::optional<Confidence> readConfidence(std::u32string_view text);

// A gene as typed: its symbol (e, To, dg), its mutant allele, or its name
// in either language (Cream, кремовый), in any case.
std::optional<GeneIndex> readGeneWord(std::u32string_view text);

// 95 %, 99 % and 99.9 %.
std::vector<Confidence> defaultConfidences();

// The most young, and the most mates, a number is looked for among: past
// them a mate is taken to never reach the confidence.
inline constexpr std::uint64_t kMostTestYoung = 10000;
inline constexpr std::uint64_t kMostTestMates = 100;

// The figures of one mate for one confidence.
struct MateFigures {
  std::optional<std::uint64_t> young;    // none: never, by this mate alone
  std::optional<std::uint64_t> litters;  // young in litters of pups, rounded up
  // Where young is none: how many such mates, each with one litter, and
  // the chance of missing a carrier with one mate fewer.
  std::optional<std::uint64_t> mates;
  std::optional<Ratio> fewer_miss;
  // Where the state has a chance: its chance after that many young that
  // all fail to reveal it (or, with mates, one litter of each).
  std::optional<Ratio> after;
};

struct TestMate {
  // Its place in the stock, or none for the best mate that need not be in
  // the file, whose genotype is then `genotype`.
  std::optional<std::size_t> animal;
  Genotype genotype;
  Ratio reveal;
  std::vector<MixedWarning> warnings;
  std::vector<MateFigures> figures;  // by confidence, in the order asked
};

// One state of one gene tested: the animal has at least that many mutant
// alleles, against the fewest it may have.
struct TestedState {
  GeneIndex gene = 0;
  int state = 0;
  bool possible = false;  // only possible: no chance in the limit
  Ratio chance;           // when not possible
  // When only possible: by what the young recorded of it changed its odds
  // against the state of fewest mutant alleles, compared with its coat and
  // sex alone (below 1: less likely); none when they changed how many
  // unseen alleles it needs.
  std::optional<Ratio> odds_factor;
  // Those that can reveal it: the best mate not in the file first, then
  // the animals of the file without a warning, by reveal (largest first)
  // and name, then those with one.
  std::vector<TestMate> mates;
};

struct ProveOptions {
  std::vector<Confidence> confidences;  // not empty
  int pups = 8;
  // The genes to test (one bit per gene), or every gene the stock's answer
  // shows for the animal (stock/stock_answer.h) when 0.
  std::uint16_t genes = 0;
};

enum class ProveFault : std::uint8_t {
  None,
  NoSex,             // the animal's sex is not recorded
  TooCostly,         // a joint would cost more than kMostStockCost
  TooManyGenotypes,  // a pair's joint genotypes are more than kMostParentGenotypes
};

struct ProveWork {
  ProveFault fault = ProveFault::None;
  std::vector<TestedState> states;  // by gene, then state
};

// The test matings of animal `animal` of the stock.
// REQUIRES: it is a named animal of the stock; the file can be true
// (StockModel::possible) and its cost is within kMostStockCost.
ProveWork proveAnimal(const Stock& stock, std::size_t animal, const ProveOptions& options);

}  // namespace quorvale

#endif  // QUORVALE_STOCK_PROVE_H_
