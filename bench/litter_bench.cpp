// Cross and litter report on the largest possible litter (6,377,292
// offspring) and on a mid-size one, written into an output that only counts
// bytes, so the figures are the program's own work.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "genetics/parser.h"
#include "litter/member_lines.h"
#include "litter/phenotype_groups.h"
#include "litter/report.h"
#include "testing/cross.h"
#include "testing/shortcuts.h"

namespace quorvale {
namespace {

// Lends out the same 1 MiB of room again and again, as the console's buffer
// does when each full piece leaves for standard output.
class CountingOutput : public Output {
 public:
  CountingOutput() : room_(std::size_t{1} << 20) {}
  void write(std::u32string_view text) override { bytes_ += text.size(); }
  void writeAscii(std::string_view text) override { bytes_ += text.size(); }
  std::span<char> asciiRoom(std::size_t /*at_least*/) override { return room_; }
  void commitAscii(std::size_t used) override { bytes_ += used; }
  std::size_t bytes() const { return bytes_; }

 private:
  std::vector<char> room_;
  std::size_t bytes_ = 0;
};

// Moves through 1 MiB of room as the console's buffer does, starting again
// at the front when the rest is too small, so the writer touches as much
// memory as it does in the program.
class RollingOutput : public Output {
 public:
  RollingOutput() : room_(std::size_t{1} << 20) {}
  void write(std::u32string_view text) override { bytes_ += text.size(); }
  void writeAscii(std::string_view text) override { bytes_ += text.size(); }
  std::span<char> asciiRoom(std::size_t at_least) override {
    if (room_.size() - at_ < at_least) {
      at_ = 0;
    }
    return std::span<char>(room_).subspan(at_);
  }
  void commitAscii(std::size_t used) override {
    at_ += used;
    bytes_ += used;
  }
  std::size_t bytes() const { return bytes_; }

 private:
  std::vector<char> room_;
  std::size_t at_ = 0;
  std::size_t bytes_ = 0;
};

struct Pair {
  std::u32string_view male;
  std::u32string_view female;
};

// Heterozygous for everything, a To male and a tortoiseshell female.
constexpr Pair kLargest = {U"EeDgdgPpAaCdcdRdrdLlUuBabaSasaSgsgLglgDsdsToY",
                           U"EeDgdgPpAaCdcdRdrdLlUuBabaSasaSgsgLglgDsdsToto"};
// 3^6 x 4 = 2,916 offspring.
constexpr Pair kMid = {U"EeDgdgPpAaUuSasaToY", U"EeDgdgPpAaUuSasaToto"};

void reportBench(benchmark::State& state, const Pair& pair) {
  const Genotype male = parseGenotype(pair.male, Sex::Male);
  const Genotype female = parseGenotype(pair.female, Sex::Female);
  std::size_t bytes = 0;
  for (auto _ : state) {
    CountingOutput out;
    writeLitter(male, female, ReportOptions{}, Language::English, out);
    bytes = out.bytes();
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void BM_ReportLargest(benchmark::State& state) { reportBench(state, kLargest); }
void BM_ReportMid(benchmark::State& state) { reportBench(state, kMid); }

// Only the grouping: one description per class combination.
void BM_GroupLargest(benchmark::State& state) {
  const Genotype male = parseGenotype(kLargest.male, Sex::Male);
  const Genotype female = parseGenotype(kLargest.female, Sex::Female);
  for (auto _ : state) {
    benchmark::DoNotOptimize(groupLitter(male, female, Language::English));
  }
}

// Only the member lines of the largest litter, grouped once.
void BM_MemberLinesLargest(benchmark::State& state) {
  const Genotype male = parseGenotype(kLargest.male, Sex::Male);
  const Genotype female = parseGenotype(kLargest.female, Sex::Female);
  const GroupedLitter litter = groupLitter(male, female, Language::English);
  RollingOutput out;
  for (auto _ : state) {
    MemberLines members(litter.expansion);
    for (const PhenotypeGroup& group : litter.groups) {
      members.write(group.combinations, out);
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(out.bytes()));
}

// The plain reference litter of one record per offspring (src/testing),
// which the tests and fuzz targets check the report against.
void BM_CrossMid(benchmark::State& state) {
  const Genotype male = parseGenotype(kMid.male, Sex::Male);
  const Genotype female = parseGenotype(kMid.female, Sex::Female);
  for (auto _ : state) {
    benchmark::DoNotOptimize(cross(male, female));
  }
}

// The whole of menu option 2: parents, warnings and litter.
void BM_PredictLitterLargest(benchmark::State& state) {
  for (auto _ : state) {
    CountingOutput out;
    predictLitter(kLargest.male, kLargest.female, Language::English, out);
    benchmark::DoNotOptimize(out.bytes());
  }
}

BENCHMARK(BM_ReportLargest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PredictLitterLargest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GroupLargest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemberLinesLargest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportMid)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CrossMid)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quorvale
