#include "text/output.h"

#include "text/utf8.h"

namespace quorvale {

void StringOutput::write(std::u32string_view text) { appendUtf8(text, bytes_); }

void StringOutput::writeAscii(std::string_view text) { bytes_.append(text); }

}  // namespace quorvale
