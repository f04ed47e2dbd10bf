#include "text/string_output.h"

#include <algorithm>

#include "text/utf8.h"

namespace quorvale {

namespace {
// Room handed out at a time: enough for hundreds of lines of a report.
constexpr std::size_t kStringRoom = std::size_t{64} * 1024;
}  // namespace

void StringOutput::write(std::u32string_view text) { appendUtf8(text, bytes_); }

void StringOutput::writeAscii(std::string_view text) { bytes_.append(text); }

std::span<char> StringOutput::asciiRoom(std::size_t at_least) {
  room_start_ = bytes_.size();
  bytes_.resize(room_start_ + std::max(at_least, kStringRoom));
  return {bytes_.data() + room_start_, bytes_.size() - room_start_};
}

void StringOutput::commitAscii(std::size_t used) { bytes_.resize(room_start_ + used); }

}  // namespace quorvale
