#include "litter/members.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "litter/phenotype_groups.h"
#include "litter/report.h"
#include "testing/shortcuts.h"
#include "text/string_output.h"

namespace quorvale {
namespace {

using Listed = std::vector<std::pair<std::string, int>>;

Listed list(MemberWalk& walk, const PhenotypeGroup& group, std::uint64_t first,
            std::uint64_t count) {
  Listed members;
  walk.walk(group.combinations, first, count, [&](const Member& member) {
    members.emplace_back(std::string(member.genotype), member.halvings);
  });
  return members;
}

// The members come in the order of the report's member lines, and any
// window of them is that slice of the whole, however the walk skips.
TEST(MemberWalk, InTheReportsOrderAndAnyWindowOfIt) {
  const Genotype male = parseGenotype(U"EeDgdgAaUuBabaSasaToY", Sex::Male);
  const Genotype female = parseGenotype(U"EeDgdgPpUuBabaToto", Sex::Female);
  const GroupedLitter litter = groupLitter(male, female, Language::English);
  StringOutput report;
  writeLitter(male, female, ReportOptions{}, Language::English, report);
  std::string lines;
  MemberWalk walk(litter.expansion);
  for (const PhenotypeGroup& group : litter.groups) {
    const std::uint64_t total = memberCount(litter.expansion, group.combinations);
    const Listed all = list(walk, group, 0, total);
    ASSERT_EQ(all.size(), total);
    for (std::uint64_t first : {std::uint64_t{0}, total / 3, total - 1, total}) {
      for (std::uint64_t count : {std::uint64_t{1}, std::uint64_t{7}, total}) {
        const Listed window = list(walk, group, first, count);
        const auto end = all.begin() + static_cast<long>(std::min(total, first + count));
        ASSERT_EQ(window, Listed(all.begin() + static_cast<long>(first), end))
            << first << " " << count;
      }
    }
    for (const auto& [genotype, halvings] : all) {
      lines += genotype + " " + std::to_string(halvings) + "\n";
    }
  }
  // The report's member lines, in order: "\t\t\t1/2^h \tgenotype".
  std::string expected;
  std::size_t at = 0;
  while ((at = report.bytes().find("\t\t\t", at)) != std::string::npos) {
    const std::size_t slash = report.bytes().find('/', at);
    const std::size_t gap = report.bytes().find(" \t", at);
    const std::size_t end = report.bytes().find('\n', at);
    const std::uint64_t denominator =
        std::stoull(report.bytes().substr(slash + 1, gap - slash - 1));
    const std::uint64_t numerator = std::stoull(report.bytes().substr(at + 3, slash - at - 3));
    ASSERT_EQ(numerator, 1u);
    int halvings = 0;
    while ((std::uint64_t{1} << halvings) < denominator) {
      ++halvings;
    }
    expected +=
        report.bytes().substr(gap + 2, end - gap - 2) + " " + std::to_string(halvings) + "\n";
    at = end;
  }
  EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace quorvale
