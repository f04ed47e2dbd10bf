#include "console/buffered_output.h"

#include <algorithm>
#include <cstring>

#include "text/utf8.h"

namespace quorvale {

BufferedOutput::BufferedOutput(ByteSink& sink, std::size_t block_size, bool line_buffered)
    : sink_(sink),
      block_size_(block_size),
      line_buffered_(line_buffered),
      capacity_(block_size + kMaxAsciiRoom),
      bytes_(std::make_unique_for_overwrite<char[]>(capacity_)) {}

void BufferedOutput::write(std::u32string_view text) {
  if (failed_) {
    return;
  }
  utf8_.clear();
  appendUtf8(text, utf8_);
  append(utf8_);
  afterAppend(line_buffered_ && utf8_.find('\n') != std::string::npos);
}

void BufferedOutput::writeAscii(std::string_view text) {
  if (failed_) {
    return;
  }
  append(text);
  afterAppend(line_buffered_ && text.find('\n') != std::string_view::npos);
}

std::span<char> BufferedOutput::asciiRoom(std::size_t /*at_least*/) {
  // Between calls the buffer holds less than one piece, so there is always
  // room for the largest request beyond it.
  return {bytes_.get() + used_, capacity_ - used_};
}

void BufferedOutput::commitAscii(std::size_t used) {
  if (failed_) {
    return;
  }
  const std::string_view added(bytes_.get() + used_, used);
  used_ += used;
  afterAppend(line_buffered_ && added.find('\n') != std::string_view::npos);
}

void BufferedOutput::append(std::string_view bytes) {
  while (!bytes.empty() && !failed_) {
    const std::size_t n = std::min(bytes.size(), block_size_ - used_);
    std::memcpy(bytes_.get() + used_, bytes.data(), n);
    used_ += n;
    bytes.remove_prefix(n);
    afterAppend(false);
  }
}

void BufferedOutput::afterAppend(bool wrote_line_end) {
  if (wrote_line_end) {
    flush();
    return;
  }
  // Full pieces go; what was written beyond them moves to the front.
  std::size_t sent = 0;
  while (used_ - sent >= block_size_) {
    send(std::string_view(bytes_.get() + sent, block_size_));
    sent += block_size_;
  }
  if (sent > 0) {
    used_ -= sent;
    std::memmove(bytes_.get(), bytes_.get() + sent, used_);
  }
}

void BufferedOutput::flush() {
  if (used_ == 0) {
    return;
  }
  send(std::string_view(bytes_.get(), used_));
  used_ = 0;
}

void BufferedOutput::send(std::string_view bytes) {
  if (failed_ || sink_.write(bytes)) {
    return;
  }
  failed_ = true;
}

}  // namespace quorvale
