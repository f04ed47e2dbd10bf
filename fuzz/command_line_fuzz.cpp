// Fuzz target: the command line, with arbitrary words.
//
// The input is split into words at NUL bytes, as argv arrives, and each
// word is decoded as the program decodes its arguments (UTF-8, each byte
// that is no part of a valid sequence becoming U+FFFD). Whatever the
// words, the command ends with status 0 (its answer written, nothing on
// standard error), 1 (nothing written, one error line) or 2 (nothing
// written, the usage error and the hint), every line for standard error is
// a single line that starts with the program's name or is the hint, and
// everything written is well-formed UTF-8.
//
// The answers are counted, not kept: the largest litter with --members is
// 300 MB, which the command line streams; an output that forgets what it is
// given keeps the fuzzer's memory flat.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "fuzz_check.h"
#include "text/output.h"
#include "text/utf8.h"

namespace {

// Checks what it is given and forgets it; lends the same room again and
// again.
class CheckingOutput : public quorvale::Output {
 public:
  void write(std::u32string_view text) override {
    for (const char32_t c : text) {
      FUZZ_REQUIRE(c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF));
    }
    written_ += text.size();
  }
  void writeAscii(std::string_view text) override { written_ += text.size(); }
  std::span<char> asciiRoom(std::size_t at_least) override {
    FUZZ_REQUIRE(at_least <= kMaxAsciiRoom);
    return room_;
  }
  void commitAscii(std::size_t used) override {
    FUZZ_REQUIRE(used <= sizeof room_);
    for (std::size_t i = 0; i < used; ++i) {
      FUZZ_REQUIRE(static_cast<unsigned char>(room_[i]) < 0x80);
    }
    written_ += used;
  }
  std::size_t written() const { return written_; }

 private:
  char room_[kMaxAsciiRoom]{};
  std::size_t written_ = 0;
};

// The fuzzer reads no files: every file a command names cannot be opened.
quorvale::platform::FileRead noFiles(std::string_view /*path*/, std::size_t /*most*/,
                                     std::string* /*bytes*/) {
  return quorvale::platform::FileRead::CannotOpen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::u32string> words;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (std::size_t start = 0; start <= bytes.size();) {
    const std::size_t end = std::min(bytes.find('\0', start), bytes.size());
    words.push_back(quorvale::fromUtf8(bytes.substr(start, end - start)));
    start = end + 1;
  }
  CheckingOutput out;
  std::vector<std::u32string> errors;
  const int status =
      quorvale::runCommandLine(words, quorvale::Language::English, noFiles, out, errors).status;
  FUZZ_REQUIRE(status == 0 || status == 1 || status == 2);
  FUZZ_REQUIRE(errors.size() == (status == 0 ? 0u : status == 1 ? 1u : 2u));
  FUZZ_REQUIRE(status == 0 || out.written() == 0);
  for (const std::u32string& line : errors) {
    FUZZ_REQUIRE(line.find(U'\n') == std::u32string::npos);
    FUZZ_REQUIRE(quorvale::fromUtf8(quorvale::toUtf8(line)) == line);
  }
  if (status != 0) {
    FUZZ_REQUIRE(errors[0].starts_with(U"quorvale: "));
  }
  return 0;
}
