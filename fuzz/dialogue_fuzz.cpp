// Fuzz target: the whole dialogue, with arbitrary bytes as standard input.
//
// Whatever the bytes, the run ends in a normal return (status 0) when the
// input is used up, writes well-formed UTF-8 that starts with the banner, and
// writes an amount bounded by the input: a small multiple of it for the
// menus, prompts, descriptions and error lines, plus the litter reports the
// input asks for.
//
// The first byte picks how many bytes the console hands the reader per read
// (1 to 16, or 4096), so that UTF-8 sequences and words are cut at every
// place a pipe could cut them.
//
// Keeping litters small. Option 2 with two parents heterozygous in every gene
// asks for a report of six million lines (300 MB) from a hundred bytes of
// input; no cap on the input length prevents that, and a fuzzer that spends
// a second per run on such reports finds nothing else. So the input is split
// into words by the same reader the dialogue uses, and an input in which two
// words together carry more than kMaxHeterozygous heterozygous genes (each
// read as a male and as a female, whichever gives more) is refused (the
// target returns -1, which keeps it out of the corpus). Any pair of parents
// that option 2 can then be given has at most 2^(kMaxHeterozygous + 1)
// offspring lines. The random tasks (options 3 and 4) are left as they are:
// their parents differ in at most seven genes besides Yellow, so a task's
// litter has at most 2^16 lines. The large reports themselves are covered by
// the litter target and the end-to-end tests.
//
// The bound. A member line of a litter report is at most kMaxMemberLine
// bytes; each group line (with its warning lines) comes with at least one
// member line, and is at most kMaxGroupText bytes. Everything else (banner,
// language questions, menus, prompts, parent lines, mating warnings,
// descriptions, error lines) is written at most once per byte or word of
// input, and the longest of them, the Russian menu, is under 256 bytes; an
// error line quotes at most four characters of the word.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/dialogue.h"
#include "console/input_reader.h"
#include "fuzz_check.h"
#include "genetics/genotype.h"
#include "genetics/parser.h"
#include "testing/memory_console.h"
#include "testing/shortcuts.h"
#include "text/language.h"
#include "text/utf8.h"

namespace {

using quorvale::Genotype;
using quorvale::Sex;

constexpr int kMaxHeterozygous = 10;
constexpr std::size_t kChunkSizes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 4096};

constexpr std::size_t kPerInputByte = 512;
constexpr std::size_t kFixedOutput = 4096;
constexpr std::size_t kMaxMemberLine = 128;
constexpr std::size_t kMaxGroupText = 2048;
constexpr std::size_t kMaxTaskLitter = std::size_t{1} << 16;

class StringSource : public quorvale::ByteSource {
 public:
  explicit StringSource(std::string_view bytes) : bytes_(bytes) {}
  std::size_t read(char* buffer, std::size_t capacity) override {
    const std::size_t n = std::min(capacity, bytes_.size() - pos_);
    bytes_.copy(buffer, n, pos_);
    pos_ += n;
    return n;
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

int heterozygousGenes(const std::u32string& word, Sex sex) {
  try {
    const Genotype g = quorvale::parseGenotype(word, sex);
    int count = 0;
    for (int i = 0; i < quorvale::GeneCount; ++i) {
      count += g.alleleCount[i] == 1 ? 1 : 0;
    }
    return count;
  } catch (const quorvale::GenotypeError&) {
    return 0;
  }
}

// Whether some two words of the input could be parents of a litter larger
// than this target allows; also counts how many reports the input could ask
// for (option 2, 3 or 4 at the menu).
bool asksForLargeLitter(std::string_view input, std::size_t* report_requests) {
  StringSource source(input);
  quorvale::InputReader reader(source);
  int largest = 0;
  int second = 0;
  // The language question reads single characters, so a menu word need not
  // start a word of the input ("r3" is the language and option 3): every
  // '2', '3' or '4' anywhere is counted as a possible request.
  *report_requests = static_cast<std::size_t>(std::count_if(
      input.begin(), input.end(), [](char c) { return c == '2' || c == '3' || c == '4'; }));
  while (const std::optional<std::u32string> word = quorvale::readWholeWord(reader)) {
    const int h =
        std::max(heterozygousGenes(*word, Sex::Male), heterozygousGenes(*word, Sex::Female));
    if (h > largest) {
      second = largest;
      largest = h;
    } else if (h > second) {
      second = h;
    }
  }
  return largest + second > kMaxHeterozygous;
}

std::size_t countMemberLines(std::string_view output) {
  std::size_t count = 0;
  std::size_t pos = 0;
  while ((pos = output.find("\n\t\t\t", pos)) != std::string_view::npos) {
    const std::size_t end = output.find('\n', pos + 1);
    const std::size_t length = (end == std::string_view::npos ? output.size() : end) - pos - 1;
    FUZZ_REQUIRE(length <= kMaxMemberLine);
    ++count;
    pos += 1;
  }
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const std::size_t chunk = kChunkSizes[data[0] % std::size(kChunkSizes)];
  const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::size_t report_requests = 0;
  if (asksForLargeLitter(input, &report_requests)) {
    return -1;
  }

  quorvale::MemoryConsole console(input, chunk);
  FUZZ_REQUIRE(quorvale::runDialogue(console) == 0);

  const std::string& output = console.output();
  FUZZ_REQUIRE(output.starts_with("Quorvale: Syrian Hamster Genetics. \n\n"));
  // Well-formed UTF-8: decoding and encoding again changes nothing.
  FUZZ_REQUIRE(quorvale::toUtf8(quorvale::fromUtf8(output)) == output);

  const std::size_t members = countMemberLines(output);
  FUZZ_REQUIRE(members <= report_requests * kMaxTaskLitter);
  FUZZ_REQUIRE(output.size() <= kFixedOutput + kPerInputByte * input.size() +
                                    members * (kMaxMemberLine + 1 + kMaxGroupText));
  return 0;
}
