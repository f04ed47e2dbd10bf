#ifndef QUORVALE_LITTER_CROSS_H_
#define QUORVALE_LITTER_CROSS_H_

#include <vector>

#include "genetics/genotype.h"
#include "text/messages.h"

namespace quorvale {

// One outcome of a cross: a genotype (counts and Sex set, expressed flags all
// false) and the probability of getting exactly it, an exact fraction k/2^n
// with n at most 28.
struct Offspring {
  Genotype genotype;
  double probability = 1.0;
};

// Every outcome of a cross, in expansion order.
using Litter = std::vector<Offspring>;

// The complete distribution of the offspring of male x female: Mendelian
// segregation for genes 0 to 12 and X-linked inheritance for Yellow, which is
// the only gene that gives offspring a sex. Equal outcomes are never merged;
// the order is lexicographic in the child chosen at each gene, gene 0 most
// significant. Reads only alleleCount[0..13] of the parents.
// The litter can be large: parents heterozygous for everything give
// 6,377,292 records, over half a gigabyte. The litter report therefore does
// not build it (see litter/phenotype_groups.h); this is for small litters and
// for checking the report against.
// REQUIRES: counts in 0..2; male.alleleCount[gene::to] is 0 or 2.
Litter cross(const Genotype& male, const Genotype& female);

// Appends to warnings the reasons why male and female should not be mated,
// in check order (Satin & Satin, mixing Yellow with Cream, Light Grey & Light
// Grey, Dominant Spot & Dominant Spot, then up to three times mixing
// different Greys). Returns true when warnings is empty afterwards.
// REQUIRES: deriveExpressed has run on both parents.
bool matingWarnings(const Genotype& male, const Genotype& female, std::vector<MessageId>& warnings);

}  // namespace quorvale

#endif  // QUORVALE_LITTER_CROSS_H_
