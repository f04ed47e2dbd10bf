#ifndef QUORVALE_PHENOTYPE_CARRIERS_H_
#define QUORVALE_PHENOTYPE_CARRIERS_H_

#include <cstdint>
#include <string>

#include "genetics/genotype.h"
#include "phenotype/colour_rules.h"
#include "text/language.h"

namespace quorvale {

// What the colour name of an animal does not show, decided but not yet
// written: the expressed genes that another gene masks ("hidden") and the
// recessive genes in a single copy ("carries"), one bit per GeneIndex.
struct CarriedGenes {
  std::uint16_t hidden = 0;
  std::uint16_t carried = 0;
  friend bool operator==(CarriedGenes, CarriedGenes) = default;
};
static_assert(GeneCount <= 16, "a gene set holds every gene");

// Decides the carrier line of g, whose coat the description has classified
// as coat. Unnamed and lethal colours have no name to compare the genes
// with, so they get neither list.
// REQUIRES: deriveExpressed has run on g; coat is classifyCoat(g) (or what
// its description decided, coatOf in phenotype/description.h).
CarriedGenes decideCarriedGenes(const Genotype& g, CoatClass coat);

// Whether the carrier line of an animal whose coat is coat names gene g as
// carried when the animal has `count` mutant alleles of it: a recessive
// gene in a single copy, on a coat with a name. decideCarriedGenes applies
// this rule; the analyses of a litter apply it to whole classes of young.
constexpr bool namesCarried(GeneIndex g, int count, CoatClass coat) {
  return isRecessive(g) && count == 1 && coat.kind != CoatKind::Unnamed &&
         coat.kind != CoatKind::Lethal;
}

// The carrier line in the given language: "hidden ..." for the hidden
// genes, then ", " and "carries genes of ..." for the carried ones, the
// names joined as "A", "A and B", "A, B and C". Empty when both lists are.
// No line end.
std::u32string carriedGenesText(CarriedGenes genes, Language language);

// Appends the names of a set of genes (one bit per GeneIndex) in gene
// order, joined as the carrier line joins them: "A", "A and B", "A, B and
// C" (Russian names are genitive forms: "кремового и копченого").
void appendGeneNames(std::uint16_t genes, Language language, std::u32string& out);

}  // namespace quorvale

#endif  // QUORVALE_PHENOTYPE_CARRIERS_H_
