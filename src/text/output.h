#ifndef QUORVALE_TEXT_OUTPUT_H_
#define QUORVALE_TEXT_OUTPUT_H_

#include <string>
#include <string_view>

namespace quorvale {

// Where the core writes text it does not return: the litter report and the
// dialogue. The console writes it to the terminal as UTF-8; tests collect it
// in memory. A line end is a plain '\n'; when the bytes actually leave the
// process is the sink's business.
class Output {
 public:
  virtual ~Output() = default;

  // Appends text given as code points.
  virtual void write(std::u32string_view text) = 0;

  // Appends text that is known to be plain ASCII (digits, genotype symbols,
  // tabs): the same bytes in every encoding, so it needs no conversion. The
  // long member lists of a litter report go this way.
  // REQUIRES: every byte of text is below 0x80.
  virtual void writeAscii(std::string_view text) = 0;
};

// An Output that collects everything written as UTF-8 bytes in a string.
class StringOutput : public Output {
 public:
  void write(std::u32string_view text) override;
  void writeAscii(std::string_view text) override;

  // Everything written so far, as UTF-8.
  const std::string& bytes() const { return bytes_; }
  void clear() { bytes_.clear(); }

 private:
  std::string bytes_;
};

}  // namespace quorvale

#endif  // QUORVALE_TEXT_OUTPUT_H_
