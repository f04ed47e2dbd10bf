#ifndef QUORVALE_TESTING_CROSS_H_
#define QUORVALE_TESTING_CROSS_H_

#include <vector>

#include "genetics/genotype.h"

namespace quorvale {

// The plain reference for a litter, for tests, fuzz targets and benchmarks:
// every outcome as a record of its own. The program never builds it.

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
// 6,377,292 records, over half a gigabyte; the litter report groups the
// outcomes without listing them (see litter/phenotype_groups.h) and is
// checked against this.
// REQUIRES: counts in 0..2; male.alleleCount[gene::to] is 0 or 2.
Litter cross(const Genotype& male, const Genotype& female);

}  // namespace quorvale

#endif  // QUORVALE_TESTING_CROSS_H_
