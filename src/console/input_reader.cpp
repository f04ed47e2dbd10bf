#include "console/input_reader.h"

#include <cstring>
#include <string_view>

#include "text/utf8.h"

namespace quorvale {

namespace {
// Large enough that a pipe or a file is read in few calls; a terminal hands
// over one line per call anyway.
constexpr std::size_t kBufferSize = std::size_t{64} * 1024;
}  // namespace

InputReader::InputReader(ByteSource& source) : source_(source), buffer_(kBufferSize) {}

bool InputReader::refill() {
  if (at_end_) {
    return false;
  }
  // Keep the unread bytes (at most the start of one UTF-8 sequence when
  // called from peek) and read after them.
  const std::size_t unread = end_ - begin_;
  if (begin_ > 0 && unread > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, unread);
  }
  begin_ = 0;
  end_ = unread;
  const std::size_t n = source_.read(buffer_.data() + end_, buffer_.size() - end_);
  if (n == 0) {
    at_end_ = true;
    return false;
  }
  end_ += n;
  return true;
}

std::size_t InputReader::peek(char32_t* c) {
  for (;;) {
    if (begin_ == end_) {
      if (!refill()) {
        return 0;
      }
      continue;
    }
    const std::string_view bytes(buffer_.data(), end_);
    const std::size_t n = decodeUtf8At(bytes, begin_, /*more_may_follow=*/!at_end_, c);
    if (n > 0) {
      return n;
    }
    // The buffer ends inside a sequence that may still be valid: fetch the
    // rest. At the end of input the next decode settles it as U+FFFD.
    refill();
  }
}

bool InputReader::skipSpace() {
  for (;;) {
    // Runs of ASCII white space (line ends, indentation) need no decoding.
    while (begin_ < end_ && isAnswerSpace(static_cast<unsigned char>(buffer_[begin_]))) {
      ++begin_;
    }
    char32_t c = 0;
    const std::size_t n = peek(&c);
    if (n == 0) {
      return false;
    }
    if (!isAnswerSpace(c)) {
      return true;
    }
    begin_ += n;
  }
}

std::optional<char32_t> InputReader::readChar() {
  if (!skipSpace()) {
    return std::nullopt;
  }
  char32_t c = 0;
  begin_ += peek(&c);
  return c;
}

bool InputReader::readWord(WordConsumer& consumer) {
  if (!skipSpace()) {
    return false;
  }
  bool wanted = true;
  for (;;) {
    // The common case, plain ASCII, goes byte by byte without decoding.
    while (begin_ < end_) {
      const auto b = static_cast<unsigned char>(buffer_[begin_]);
      if (b >= 0x80) {
        break;
      }
      if (isAnswerSpace(b)) {
        return true;
      }
      wanted = wanted && consumer.take(b);
      ++begin_;
    }
    char32_t c = 0;
    const std::size_t n = peek(&c);
    if (n == 0 || isAnswerSpace(c)) {
      return true;
    }
    wanted = wanted && consumer.take(c);
    begin_ += n;
  }
}

}  // namespace quorvale
