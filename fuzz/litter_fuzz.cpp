// Fuzz target: the litter report of two parents.
//
// The bytes give the language and the two parents' allele counts (byte 1 to
// 14 the male's, 15 to 28 the female's). The parents are handed to
// predictLitter as their genotype texts, as the random tasks do, and the
// report is read back line by line:
//   - the group lines are in strictly ascending code-point order of their
//     descriptions, their fractions add up to exactly 1, and the member
//     fractions of each group add up to the group's fraction;
//   - every fraction is in lowest terms over a power of two;
//   - every member line's genotype parses, and is in canonical form;
//   - the members are exactly the offspring of the cross, one line each,
//     each under the description of its own genotype.
// Litters are kept to at most kMaxLitter offspring: a gene that would make
// the litter larger is made homozygous wild in both parents.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "fuzz_check.h"
#include "genetics/genotype.h"
#include "genetics/genotype_text.h"
#include "genetics/parser.h"
#include "litter/inheritance.h"
#include "litter/report.h"
#include "phenotype/description.h"
#include "testing/cross.h"
#include "testing/fraction_text.h"
#include "testing/shortcuts.h"
#include "text/language.h"
#include "text/messages.h"
#include "text/string_output.h"
#include "text/utf8.h"

namespace {

using quorvale::Genotype;
using quorvale::Sex;

constexpr std::size_t kMaxLitter = 4096;
constexpr std::uint64_t kOne = std::uint64_t{1} << 28;  // chances in 2^-28ths

struct Parents {
  Genotype male;
  Genotype female;
};

Parents parentsFrom(const std::uint8_t* data, std::size_t size) {
  Parents p;
  quorvale::setSex(p.male, Sex::Male);
  quorvale::setSex(p.female, Sex::Female);
  auto byte = [&](std::size_t i) -> int { return i < size ? data[i] : 0; };
  std::size_t litter = 1;
  for (int g = 0; g < quorvale::GeneCount; ++g) {
    int m = byte(1 + static_cast<std::size_t>(g)) % 3;
    if (g == quorvale::gene::to && m == 1) {
      m = 2;  // one X chromosome
    }
    const int f = byte(15 + static_cast<std::size_t>(g)) % 3;
    const auto children = static_cast<std::size_t>(quorvale::geneChildren(g, m, f).size);
    if (litter * children > kMaxLitter) {
      continue;  // leave the gene wild
    }
    litter *= children;
    p.male.alleleCount[g] = m;
    p.female.alleleCount[g] = f;
  }
  return p;
}

// A fraction "n/d" as a number of 2^-28ths; checks its form.
std::uint64_t readFraction(std::string_view text) {
  const std::size_t slash = text.find('/');
  FUZZ_REQUIRE(slash != std::string_view::npos && slash > 0 && slash + 1 < text.size());
  auto number = [](std::string_view digits) {
    FUZZ_REQUIRE(digits.size() <= 10 && (digits.size() == 1 || digits[0] != '0'));
    std::uint64_t n = 0;
    for (char c : digits) {
      FUZZ_REQUIRE(c >= '0' && c <= '9');
      n = n * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return n;
  };
  const std::uint64_t n = number(text.substr(0, slash));
  const std::uint64_t d = number(text.substr(slash + 1));
  FUZZ_REQUIRE(d >= 1 && d <= kOne && (d & (d - 1)) == 0);
  FUZZ_REQUIRE(n >= 1 && n <= d);
  FUZZ_REQUIRE(d == 1 || n % 2 == 1);  // lowest terms
  return n * (kOne / d);
}

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    FUZZ_REQUIRE(end != std::string_view::npos);  // the report ends with a line end
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// (description, fraction, genotype text) of one offspring, as its member
// line and the group line above it show it.
using MemberKey = std::tuple<std::string, std::string, std::string>;

std::map<MemberKey, int> expectedMembers(const Parents& p, quorvale::Language language) {
  std::map<MemberKey, int> members;
  for (quorvale::Offspring& o : quorvale::cross(p.male, p.female)) {
    const std::string description =
        quorvale::toUtf8(quorvale::describePhenotype(o.genotype, true, true, language));
    ++members[{description, quorvale::toUtf8(quorvale::fractionText(o.probability)),
               quorvale::toUtf8(quorvale::genotypeText(o.genotype))}];
  }
  return members;
}

void checkReport(const std::string& report, const Parents& p, quorvale::Language language) {
  const std::string label =
      quorvale::toUtf8(quorvale::messageText(quorvale::MessageId::LitterLabel, language));
  const std::size_t at = report.find("\n" + label + "\n");
  FUZZ_REQUIRE(at != std::string::npos);
  const std::vector<std::string_view> lines =
      splitLines(std::string_view(report).substr(at + label.size() + 2));

  std::map<MemberKey, int> expected = expectedMembers(p, language);
  std::uint64_t total = 0;
  std::u32string previous;
  std::size_t i = 0;
  FUZZ_REQUIRE(!lines.empty());
  while (i < lines.size()) {
    // A group line: a tab, the fraction, " \t", the description, and a line
    // per undesirable combination, each opening with a tab and "!!! ".
    std::string_view line = lines[i++];
    FUZZ_REQUIRE(line.size() > 1 && line[0] == '\t' && line[1] != '\t');
    const std::size_t gap = line.find(" \t");
    FUZZ_REQUIRE(gap != std::string_view::npos);
    const std::uint64_t group = readFraction(line.substr(1, gap - 1));
    std::string description(line.substr(gap + 2));
    while (i < lines.size() && lines[i].starts_with("\t!!! ")) {
      description += '\n';
      description += lines[i++];
    }
    const std::u32string key = quorvale::fromUtf8(description);
    FUZZ_REQUIRE(previous.empty() || previous < key);
    previous = key;
    total += group;

    std::uint64_t members = 0;
    std::size_t count = 0;
    while (i < lines.size() && lines[i].starts_with("\t\t\t")) {
      line = lines[i++].substr(3);
      const std::size_t gap2 = line.find(" \t");
      FUZZ_REQUIRE(gap2 != std::string_view::npos);
      const std::string fraction(line.substr(0, gap2));
      const std::string genotype(line.substr(gap2 + 2));
      members += readFraction(fraction);
      ++count;
      try {
        const Genotype g = quorvale::parseGenotype(quorvale::fromUtf8(genotype), Sex::Unspecified);
        FUZZ_REQUIRE(quorvale::toUtf8(quorvale::genotypeText(g)) == genotype);
      } catch (const quorvale::GenotypeError&) {
        FUZZ_REQUIRE(!"a member line that does not parse");
      }
      int& left = expected[{description, fraction, genotype}];
      FUZZ_REQUIRE(left > 0);  // an offspring of this cross, under its own description
      --left;
    }
    FUZZ_REQUIRE(count > 0);
    FUZZ_REQUIRE(members == group);
  }
  FUZZ_REQUIRE(total == kOne);
  for (const auto& [key, left] : expected) {
    FUZZ_REQUIRE(left == 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto language =
      size > 0 && data[0] % 2 == 1 ? quorvale::Language::Russian : quorvale::Language::English;
  const Parents p = parentsFrom(data, size);

  quorvale::StringOutput out;
  quorvale::predictLitter(quorvale::genotypeText(p.male), quorvale::genotypeText(p.female),
                          language, out);
  checkReport(out.bytes(), p, language);
  return 0;
}
