#include "genetics/parser.h"

namespace quorvale {

Genotype parseGenotype(std::u32string_view /*text*/, Sex starting_sex) {
  Genotype g;
  setSex(g, starting_sex);
  return g;  // placeholder until the parser lands
}

}  // namespace quorvale
