#include "testing/memory_console.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace quorvale {

std::optional<std::u32string> readWholeWord(InputReader& reader) {
  class Collector : public WordConsumer {
   public:
    bool take(char32_t c) override {
      word.push_back(c);
      return true;
    }
    std::u32string word;
  };
  Collector collector;
  if (!reader.readWord(collector)) {
    return std::nullopt;
  }
  return std::move(collector.word);
}

MemoryConsole::StringSource::StringSource(std::string bytes, std::size_t chunk_size)
    : bytes_(std::move(bytes)), chunk_size_(chunk_size) {}

std::size_t MemoryConsole::StringSource::read(char* buffer, std::size_t capacity) {
  const std::size_t n = std::min({capacity, chunk_size_, bytes_.size() - pos_});
  std::memcpy(buffer, bytes_.data() + pos_, n);
  pos_ += n;
  return n;
}

MemoryConsole::MemoryConsole(std::string input, std::size_t chunk_size)
    : source_(std::move(input), chunk_size), reader_(source_) {}

}  // namespace quorvale
