#ifndef QUORVALE_PHENOTYPE_CARRIERS_H_
#define QUORVALE_PHENOTYPE_CARRIERS_H_

#include <string>

#include "genetics/genotype.h"

namespace quorvale {

// What the colour name does not show: "hidden ..." for expressed genes that
// another gene masks, then "carries genes of ..." for recessive genes in a
// single copy, in the language of the run. Empty when there is nothing to
// say and for unnamed and lethal colours. No line end.
// REQUIRES: describePhenotype has just run on g (it reads the unnamed-colour
// marker that the description leaves).
std::u32string describeCarriedGenes(const Genotype& g);

}  // namespace quorvale

#endif  // QUORVALE_PHENOTYPE_CARRIERS_H_
