#include "console/standard_output.h"

#include <algorithm>

#include "console/platform.h"

namespace quorvale {

bool StandardOutput::Sink::write(std::string_view bytes) { return platform::writeOutput(bytes); }

StandardOutput::StandardOutput()
    : buffer_(sink_, std::max(platform::outputBlockSize(), Output::kMaxAsciiRoom),
              platform::outputIsTerminal()) {}

}  // namespace quorvale
