#ifndef QUORVALE_TESTING_MEMORY_CONSOLE_H_
#define QUORVALE_TESTING_MEMORY_CONSOLE_H_

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/input_reader.h"
#include "text/string_output.h"

namespace quorvale {

// Reads the next word whole, for tests and fuzzing, where words are short
// (the program itself never holds one). Nothing at the end of input.
std::optional<std::u32string> readWholeWord(InputReader& reader);

// A console in memory, for tests and fuzzing: the input is a byte string
// read by the same reader as standard input, the output is collected as
// UTF-8 bytes, and a key wait returns at once but is recorded, as is being
// told that the input ended.
class MemoryConsole : public Console {
 public:
  // The input is handed to the reader at most chunk_size bytes per read, so
  // tests can cut UTF-8 sequences between reads.
  // REQUIRES: chunk_size > 0.
  explicit MemoryConsole(std::string input, std::size_t chunk_size = 4096);

  MemoryConsole(const MemoryConsole&) = delete;
  MemoryConsole& operator=(const MemoryConsole&) = delete;

  Output& out() override { return output_; }
  void flush() override {}
  std::optional<char32_t> readChar() override { return reader_.readChar(); }
  bool readWord(WordConsumer& consumer) override { return reader_.readWord(consumer); }
  void waitForKey() override { key_waits_.push_back(output_.bytes().size()); }
  void inputEnded() override { ++input_ended_count_; }

  // Everything written so far, as UTF-8.
  const std::string& output() const { return output_.bytes(); }

  // For each key wait, how many bytes had been written when it happened.
  const std::vector<std::size_t>& keyWaits() const { return key_waits_; }

  // How many times the console was told that the input ended.
  int inputEndedCount() const { return input_ended_count_; }

 private:
  class StringSource : public ByteSource {
   public:
    StringSource(std::string bytes, std::size_t chunk_size);
    std::size_t read(char* buffer, std::size_t capacity) override;

   private:
    std::string bytes_;
    std::size_t chunk_size_;
    std::size_t pos_ = 0;
  };

  StringSource source_;
  InputReader reader_;
  StringOutput output_;
  std::vector<std::size_t> key_waits_;
  int input_ended_count_ = 0;
};

}  // namespace quorvale

#endif  // QUORVALE_TESTING_MEMORY_CONSOLE_H_
