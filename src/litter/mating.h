#ifndef QUORVALE_LITTER_MATING_H_
#define QUORVALE_LITTER_MATING_H_

#include <vector>

#include "genetics/genotype.h"
#include "text/messages.h"

namespace quorvale {

// Appends to warnings the reasons why male and female should not be mated,
// in check order (Satin & Satin, mixing Yellow with Cream, Light Grey & Light
// Grey, Dominant Spot & Dominant Spot, then up to three times mixing
// different Greys). Returns true when warnings is empty afterwards. Reads
// only the allele counts (whether a parent shows a gene follows from them),
// so the parents need not have been described first.
bool matingWarnings(const Genotype& male, const Genotype& female, std::vector<MessageId>& warnings);

}  // namespace quorvale

#endif  // QUORVALE_LITTER_MATING_H_
