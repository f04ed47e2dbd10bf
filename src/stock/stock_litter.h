#ifndef QUORVALE_STOCK_STOCK_LITTER_H_
#define QUORVALE_STOCK_STOCK_LITTER_H_

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "genetics/genotype.h"
#include "phenotype/colour_line.h"
#include "phenotype/colour_rules.h"
#include "phenotype/description.h"
#include "stock/inference.h"
#include "stock/stock.h"
#include "text/exact.h"
#include "text/language.h"
#include "text/messages.h"

namespace quorvale {

// The litter of two animals of a stock, given everything the file records.
//
// The parents' genotypes are not known, only their joint chance given the
// file: related parents are not independent (two Golden siblings of a
// Cream each carry it with 2/3, but both do with 4/9 only if that is how
// the file has it). Every figure is worked out from that joint chance, as
// an expectation over the parents' joint genotype G, because the young of
// one litter share their parents:
//   - a group's share is the chance that one more young of theirs has that
//     description: the sum over G of P(G) times its share in G's litter;
//   - at least one of a group in N born young: the sum over G of P(G)
//     (1 - (1 - q_G)^N), q_G the group's share of the born in G's litter,
//     not 1 - (1 - q)^N with q the average share;
//   - how many of N on average: the sum over G of P(G) N q_G.

// A joint genotype of the parents with its chance given the file.
struct ParentGenotypes {
  Genotype male;
  Genotype female;
  Ratio chance;
};

// The parents' joint genotypes of the readings of least power: their
// chances add up to 1.
// REQUIRES: the parts are the joint of the male and the female
// (StockModel::joint), possible.
std::vector<ParentGenotypes> parentGenotypes(const std::vector<JointPart>& parts, std::size_t male,
                                             std::size_t female);

// How many joint genotypes parentGenotypes would give, without making
// them: more than a few thousand is more than a litter is worked out for.
std::uint64_t parentGenotypeCount(const std::vector<JointPart>& parts);

// One description of the young of the litter, with its figures.
struct MixedGroup {
  std::u32string description;  // in the language asked for
  DescriptionKey key;          // as the first young met decided it
  CoatClass coat;
  Sex sex = Sex::Unspecified;  // where every joint genotype's cross fixes it
  Ratio chance;                // of all young conceived, lethal ones included
  // With a litter's size, for a group that is born: the chance of at least
  // one in such a litter, and how many on average.
  std::optional<Ratio> at_least_one;
  std::optional<Ratio> expected;
  // The share of the group's young whose carrier line names a gene, one
  // way (as a litter's carrier shares).
  struct Carrier {
    GeneIndex gene = 0;
    bool hidden = false;
    Ratio share;
  };
  std::vector<Carrier> carriers;
  // The genotypes of the group, each with its chance of the whole litter,
  // in code-point order of their text.
  struct Member {
    std::string genotype;
    Ratio chance;
  };
  std::vector<Member> members;
};

// A pairing's warning, with the chance that it holds.
struct MixedWarning {
  MessageId warning;
  Ratio chance;
};

struct MixedLitter {
  Ratio lethal;                        // the share of the young that are lethal
  std::vector<MixedWarning> warnings;  // in check order
  std::vector<MixedGroup> groups;      // in code-point order of their descriptions
  // With a colour looked for and a litter's size: the chance that such a
  // litter holds at least one young of any group of that colour, the sum
  // over G of P(G) (1 - (1 - q_G)^N), q_G the share of the born of all
  // those groups together in G's litter. Nothing when none is born.
  std::optional<Ratio> found_at_least_one;
};

// What to work out beyond the groups' shares.
struct MixedOptions {
  int pups = 0;  // at least one and on average in a litter of that many
  bool carriers = false;
  bool members = false;
  // A colour looked for (kTargetFit), for found_at_least_one.
  std::optional<LinePattern> find;
};

// Whether a group of the litter is of the colour looked for.
bool isFound(const MixedGroup& group, const LinePattern& find);

// The litter of the parents' joint genotypes.
// REQUIRES: pairs is not empty and their chances add up to 1.
MixedLitter mixedLitter(const std::vector<ParentGenotypes>& pairs, const MixedOptions& options,
                        Language language);

}  // namespace quorvale

#endif  // QUORVALE_STOCK_STOCK_LITTER_H_
