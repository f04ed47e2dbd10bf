#include "litter/report.h"

namespace quorvale {

void predictLitter(std::u32string_view /*male_text*/, std::u32string_view /*female_text*/,
                   Output& /*out*/) {}

std::u32string fractionText(double /*p*/) { return {}; }

}  // namespace quorvale
