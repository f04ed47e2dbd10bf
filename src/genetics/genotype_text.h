#ifndef QUORVALE_GENETICS_GENOTYPE_TEXT_H_
#define QUORVALE_GENETICS_GENOTYPE_TEXT_H_

#include <cstdint>
#include <string>

#include "genetics/genotype.h"

namespace quorvale {

// The canonical text of a genotype, which parseGenotype reads back: genes in
// table order, nothing for a homozygous wild gene, the capital first in a
// heterozygous pair ("eeDgdgUu", "EeUU", "eeToY", "Toto"); "--" when nothing
// is written. Reads only alleleCount.
std::u32string genotypeText(const Genotype& g);

// Appends the same text to out. It is plain ASCII, so the bytes are the
// same in every encoding; the litter report writes millions of them this way.
void appendGenotypeText(const Genotype& g, std::string& out);

// Appends gene g's part of that text for `count` mutant alleles (clamped to
// 0..2): nothing for a homozygous wild gene, otherwise the pair ("Ee", "UU");
// Yellow's part depends on the sex ("ToY", "ToTo", "Toto", or nothing). The
// genotype text is these parts in table order, or "--" when all are empty.
// REQUIRES: 0 <= g < GeneCount.
void appendGeneText(GeneIndex g, std::int32_t count, Sex sex, std::string& out);

// The two alleles of gene g with `count` mutant alleles, written out even
// where the genotype text leaves the gene out: "EE", "Ee", "ee", "uu",
// "UU"; Yellow for the given sex: "ToTo", "Toto", "toto" for a female,
// "ToY" (count 2) and "toY" (count 0) for a male. For the table of the
// notation.
// REQUIRES: 0 <= g < GeneCount; 0 <= count <= 2; for Yellow, sex Male or
// Female, and a male's count 0 or 2.
std::string allelePair(GeneIndex g, int count, Sex sex);

// The mutant allele of gene g as the notation writes it: the symbol with
// its first letter in upper case where a capital is the mutant allele
// ("e", "dg", "U", "Ba", "To").
// REQUIRES: 0 <= g < GeneCount.
std::string mutantAllele(GeneIndex g);

}  // namespace quorvale

#endif  // QUORVALE_GENETICS_GENOTYPE_TEXT_H_
