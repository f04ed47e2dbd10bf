#ifndef QUORVALE_TEXT_OUTPUT_H_
#define QUORVALE_TEXT_OUTPUT_H_

#include <cstddef>
#include <span>
#include <string_view>

namespace quorvale {

// Where the core writes text it does not return: the litter report and the
// dialogue. The console writes it to the terminal as UTF-8; tests collect it
// in memory. A line end is a plain '\n'; when the bytes actually leave the
// process is the output's business, not the writer's.
//
// Bulk ASCII. The largest litter report has millions of member lines, and a
// call per line would cost more than formatting them. So an output also lends
// out room in its own buffer: the writer asks for room (asciiRoom), fills as
// much of it as it likes with ASCII text and then says how much it used
// (commitAscii). The bytes are then written exactly as if they had been passed
// to writeAscii, but they were copied only once, and the output passes them on
// in whatever pieces suit it. Room may be asked for again and again; each
// request costs about as much as one small write. Its one user is the writer
// of the text report's member lines (litter/member_lines.h), the program's
// inner loop; everything else writes with write and writeAscii (the JSON
// writer, text/json.h, gathers its pieces itself and passes them on in
// writes of a few KB).
class Output {
 public:
  // The most room a writer may insist on in one request.
  static constexpr std::size_t kMaxAsciiRoom = 4096;

  virtual ~Output() = default;

  // Appends text given as code points.
  virtual void write(std::u32string_view text) = 0;

  // Appends text that is known to be plain ASCII (digits, genotype symbols,
  // tabs): the same bytes in every encoding, so it needs no conversion.
  // REQUIRES: every byte of text is below 0x80.
  virtual void writeAscii(std::string_view text) = 0;

  // Room for ASCII text that directly follows everything written so far: at
  // least `at_least` bytes, usually far more. Its contents are unspecified.
  // It stays valid until the next call on this output, which must be
  // commitAscii.
  // REQUIRES: at_least <= kMaxAsciiRoom.
  virtual std::span<char> asciiRoom(std::size_t at_least) = 0;

  // Appends the first `used` bytes of the room handed out by the last
  // asciiRoom call; the rest of the room is forgotten.
  // REQUIRES: asciiRoom was the last call; used <= the room's size; every
  // byte used is below 0x80.
  virtual void commitAscii(std::size_t used) = 0;
};

}  // namespace quorvale

#endif  // QUORVALE_TEXT_OUTPUT_H_
