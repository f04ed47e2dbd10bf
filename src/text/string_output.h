#ifndef QUORVALE_TEXT_STRING_OUTPUT_H_
#define QUORVALE_TEXT_STRING_OUTPUT_H_

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "text/output.h"

namespace quorvale {

// An Output that collects everything written as UTF-8 bytes in a string:
// for a front end that hands answers over whole (the web page), and for tests.
class StringOutput : public Output {
 public:
  void write(std::u32string_view text) override;
  void writeAscii(std::string_view text) override;
  std::span<char> asciiRoom(std::size_t at_least) override;
  void commitAscii(std::size_t used) override;

  // Everything written so far, as UTF-8.
  const std::string& bytes() const { return bytes_; }
  void clear() { bytes_.clear(); }

 private:
  std::string bytes_;
  std::size_t room_start_ = 0;  // where the room last handed out begins
};

}  // namespace quorvale

#endif  // QUORVALE_TEXT_STRING_OUTPUT_H_
