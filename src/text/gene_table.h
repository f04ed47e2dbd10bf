#ifndef QUORVALE_TEXT_GENE_TABLE_H_
#define QUORVALE_TEXT_GENE_TABLE_H_

#include "text/language.h"
#include "text/output.h"

namespace quorvale {

// The table of genes of the notation, as the manual page has it and the web
// page shows it, as a JSON document:
//
//   {"genes": [{"gene", "name", "two", "one", "normal"}...]}
//
// one row per gene in table order, Yellow in two rows, the female's and
// the male's: the gene's symbol ("e", "ba"), its name as it stands alone
// (geneTitle, text/messages.h; Yellow's with ", female" and ", male"), and
// its pair with two mutant alleles, one and none ("ee", "Ee", "EE"; a
// male's Yellow is "ToY" or "toY", two or none, and has no pair of one:
// null).
void writeGeneTableJson(Language language, Output& out);

}  // namespace quorvale

#endif  // QUORVALE_TEXT_GENE_TABLE_H_
