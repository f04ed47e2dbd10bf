#include "genetics/genotype_text.h"

#include "text/utf8.h"

namespace quorvale {

void appendGenotypeText(const Genotype& /*g*/, std::string& out) { out += "--"; }

std::u32string genotypeText(const Genotype& g) {
  std::string ascii;
  appendGenotypeText(g, ascii);
  return fromUtf8(ascii);
}

}  // namespace quorvale
