#include "console/buffered_output.h"

#include "text/utf8.h"

namespace quorvale {

namespace {
// A litter report can run to many megabytes; 64 KiB pieces keep the number
// of system calls low without holding much memory.
constexpr std::size_t kFlushThreshold = std::size_t{64} * 1024;
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
  if (!sink_.write(buffer_)) {
    failed_ = true;
    // Release the memory too: nothing will ever be written again.
    std::string().swap(buffer_);
    return;
  }
  buffer_.clear();
}

}  // namespace quorvale
