#ifndef QUORVALE_TESTING_TEST_SUPPORT_H_
#define QUORVALE_TESTING_TEST_SUPPORT_H_

// Helpers shared by the unit tests: animals written as the list of genes
// that carry mutant alleles, text as UTF-8 for readable failures, both
// languages to loop over, and a walk over every possible genotype.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "genetics/genotype.h"
#include "testing/shortcuts.h"
#include "text/language.h"
#include "text/utf8.h"

namespace quorvale::testing {

// One gene with its number of mutant alleles.
struct Alleles {
  GeneIndex gene;
  int count;
};

// An animal with the given mutant allele counts (every other gene 0) and sex.
inline Genotype animal(const std::vector<Alleles>& counts, Sex sex = Sex::Unspecified) {
  Genotype g;
  for (const Alleles& a : counts) {
    g.alleleCount[a.gene] = a.count;
  }
  setSex(g, sex);
  return g;
}

// Text as UTF-8, so that failures print readably.
inline std::string utf8(std::u32string_view text) { return toUtf8(text); }

// Both languages, for tests that check a rule in each.
inline constexpr Language kLanguages[] = {Language::English, Language::Russian};

// 3^14: every combination of counts 0, 1, 2 for the fourteen genes.
inline constexpr std::int64_t kCountCombinations = 4782969;

// Under the sanitizers the full walk is slow, so it visits a deterministic
// sample: every 97th combination (97 is prime, so every gene still sees all
// its counts against varied backgrounds).
#if defined(__SANITIZE_ADDRESS__)
inline constexpr std::int64_t kWalkStride = 97;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(undefined_behavior_sanitizer)
inline constexpr std::int64_t kWalkStride = 97;
#else
inline constexpr std::int64_t kWalkStride = 1;
#endif
#else
inline constexpr std::int64_t kWalkStride = 1;
#endif

// Calls visit(g) for every combination of counts (or the sanitizer sample),
// with sex Unspecified and nothing derived.
template <typename Visit>
void forEachCountCombination(Visit visit) {
  for (std::int64_t index = 0; index < kCountCombinations; index += kWalkStride) {
    Genotype g;
    std::int64_t rest = index;
    for (GeneIndex i = 0; i < GeneCount; ++i) {
      g.alleleCount[i] = static_cast<std::int32_t>(rest % 3);
      rest /= 3;
    }
    visit(g);
  }
}

}  // namespace quorvale::testing

#endif  // QUORVALE_TESTING_TEST_SUPPORT_H_
