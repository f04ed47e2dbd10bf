#ifndef QUORVALE_PHENOTYPE_CARRIERS_H_
#define QUORVALE_PHENOTYPE_CARRIERS_H_

#include <string>

#include "genetics/genotype.h"
#include "text/language.h"

namespace quorvale {

// What the colour name does not show: "hidden ..." for expressed genes that
// another gene masks, then ", " and "carries genes of ..." for recessive
// genes in a single copy, in the given language. Names are joined as
// "A", "A and B", "A, B and C". Empty when there is nothing to say and for
// unnamed and lethal colours. No line end.
// REQUIRES: deriveExpressed has run on g (describePhenotype runs it).
std::u32string describeCarriedGenes(const Genotype& g, Language language);

// The same in the language of the run.
std::u32string describeCarriedGenes(const Genotype& g);

}  // namespace quorvale

#endif  // QUORVALE_PHENOTYPE_CARRIERS_H_
