#include "console/buffered_output.h"

#include "text/utf8.h"

namespace quorvale {

namespace {
// A litter report can run to many megabytes; 64 KiB pieces keep the number
// of system calls low without holding much memory.
constexpr std::size_t kFlushThreshold = std::size_t{64} * 1024;
// A piece of ASCII this large is already big enough to be worth a system
// call of its own, so it skips the copy into the buffer.
constexpr std::size_t kPassThrough = kFlushThreshold / 2;
}  // namespace

BufferedOutput::BufferedOutput(ByteSink& sink, bool line_buffered)
    : sink_(sink), line_buffered_(line_buffered) {
  buffer_.reserve(kFlushThreshold + 1024);
}

void BufferedOutput::write(std::u32string_view text) {
  if (failed_) {
    return;
  }
  appendUtf8(text, buffer_);
  afterAppend(line_buffered_ && text.find(U'\n') != std::u32string_view::npos);
}

void BufferedOutput::writeAscii(std::string_view text) {
  if (failed_) {
    return;
  }
  if (text.size() >= kPassThrough) {
    // The litter report hands over its member lines in blocks of nearly
    // 64 KiB: they go to the sink as they are, after what came before them,
    // rather than being copied through the buffer first.
    flush();
    send(text);
    return;
  }
  buffer_.append(text);
  afterAppend(line_buffered_ && text.find('\n') != std::string_view::npos);
}

void BufferedOutput::afterAppend(bool wrote_line_end) {
  if (wrote_line_end || buffer_.size() >= kFlushThreshold) {
    flush();
  }
}

void BufferedOutput::flush() {
  if (failed_ || buffer_.empty()) {
    return;
  }
  send(buffer_);
  buffer_.clear();
}

void BufferedOutput::send(std::string_view bytes) {
  if (failed_ || sink_.write(bytes)) {
    return;
  }
  failed_ = true;
  // Release the memory too: nothing will ever be written again.
  std::string().swap(buffer_);
}

}  // namespace quorvale
