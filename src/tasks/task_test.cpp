#include "tasks/task.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "genetics/parser.h"
#include "litter/mating.h"
#include "phenotype/description.h"
#include "testing/test_support.h"
#include "text/language.h"
#include "text/utf8.h"

namespace quorvale {
namespace {

using testing::utf8;

TEST(RolledAlleleCount, FollowsTheTableOfEachKindOfGene) {
  struct Case {
    GeneIndex gene;
    Sex sex;
    std::vector<int> counts;  // the count for the values 0, 1, 2, ...
  };
  const Case cases[] = {
      {gene::e, Sex::Male, {2, 1, 0, 2, 1, 0}},
      {gene::l, Sex::Female, {2, 1, 0, 2}},
      {gene::u, Sex::Male, {2, 1, 1, 1, 1, 0, 0}},
      {gene::ds, Sex::Female, {2, 1, 1, 1, 1, 0}},
      {gene::to, Sex::Male, {0, 2, 0, 2}},
      {gene::to, Sex::Female, {2, 1, 1, 1, 0, 0, 0, 0, 2, 1}},
  };
  for (const Case& c : cases) {
    for (int value = 0; value < static_cast<int>(c.counts.size()); ++value) {
      EXPECT_EQ(rolledAlleleCount(c.gene, c.sex, value), c.counts[value])
          << "gene " << c.gene << " value " << value;
    }
  }
  // The remainder is taken over the whole range of the generator.
  EXPECT_EQ(rolledAlleleCount(gene::ba, Sex::Male, 29), 0);
  EXPECT_EQ(rolledAlleleCount(gene::ba, Sex::Male, 30), 2);
  EXPECT_EQ(rolledAlleleCount(gene::ba, Sex::Male, 32764), 1);  // 32764 = 30 * 1092 + 4
  EXPECT_EQ(rolledAlleleCount(gene::a, Sex::Female, 32767), 1);
  EXPECT_EQ(rolledAlleleCount(gene::to, Sex::Female, 32767), 0);
}

TEST(DrawGenes, ThirteenDrawsTakeEveryGeneButYellowOnce) {
  Random rng(7);
  const std::vector<GeneIndex> genes = drawGenes(13, rng);
  EXPECT_EQ(std::set<GeneIndex>(genes.begin(), genes.end()).size(), 13u);
  EXPECT_EQ(std::count(genes.begin(), genes.end(), gene::to), 0);
}

// Remembers every value drawn from a Random.
class RecordingRandom {
 public:
  explicit RecordingRandom(std::uint32_t seed) : rng_(seed) {}

  int next() { return draws_.emplace_back(rng_.next()); }

  const std::vector<int>& draws() const { return draws_; }

 private:
  Random rng_;
  std::vector<int> draws_;
};

// Random task 12 reads its draws in the documented order: it has rolls
// rejected for Yellow diluted by Cream and for Double Satin, and a pairing
// rejected for mixing Yellow with Cream (a To male with an ee female).
TEST(GenerateTask, TaskTwelveReadsItsDrawsInOrder) {
  RecordingRandom rng(12);
  const TaskParents parents = generateTask(7, rng);
  EXPECT_EQ(utf8(parents.male), "ppDsdsToY");
  EXPECT_EQ(utf8(parents.female), "DgdgppToto");

  struct Attempt {
    std::vector<GeneIndex> genes;  // drawn, in draw order
    std::vector<std::pair<Sex, std::string>> rolls;
  };
  using namespace gene;  // the genes by their symbols
  const Attempt attempts[] = {
      {{ds, e, u, a, p, sg, ba},
       {{Sex::Male, "ppAaToY"},
        {Sex::Female, "eeppToto"},
        {Sex::Female, "eeToto"},
        {Sex::Female, "eePpAaSgsg"}}},
      {{u, sg, ds, p, sa, dg, lg},
       {{Sex::Male, "SaSa"}, {Sex::Male, "ppDsdsToY"}, {Sex::Female, "DgdgppToto"}}},
  };
  const std::vector<int>& draws = rng.draws();
  std::size_t at = 0;
  for (const Attempt& attempt : attempts) {
    std::vector<GeneIndex> pool = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    for (GeneIndex expected : attempt.genes) {
      ASSERT_LT(at, draws.size());
      const auto position = pool.begin() + draws[at++] % static_cast<int>(pool.size());
      EXPECT_EQ(*position, expected) << "draw " << at - 1;
      pool.erase(position);
    }
    std::vector<GeneIndex> listed = attempt.genes;
    listed.push_back(to);
    for (const auto& [sex, text] : attempt.rolls) {
      Genotype g;
      setSex(g, sex);
      for (GeneIndex i : listed) {
        ASSERT_LT(at, draws.size());
        g.alleleCount[i] = rolledAlleleCount(i, sex, draws[at++]);
      }
      EXPECT_EQ(utf8(genotypeText(g)), text);
    }
  }
  EXPECT_EQ(at, draws.size());
  EXPECT_EQ(draws.size(), 70u);
}

// The records of one exercise together with its texts, both made from the
// same task number.
struct Exercise {
  TaskAnimals animals;
  TaskParents texts;
};

Exercise exercise(std::uint32_t task, int gene_count) {
  Random for_animals(task);
  Random for_texts(task);
  return {generateTaskAnimals(gene_count, for_animals), generateTask(gene_count, for_texts)};
}

int genesWithMutantAllele(const Genotype& g) {
  int n = 0;
  for (GeneIndex i = 0; i < GeneCount; ++i) {
    n += g.alleleCount[i] != 0 ? 1 : 0;
  }
  return n;
}

// Checks everything a generated parent promises; returns false on a failure
// so that the caller can stop early instead of flooding the log.
bool checkParent(const Genotype& record, const std::u32string& text, Sex sex, int gene_count,
                 std::uint32_t task) {
  SCOPED_TRACE("task " + std::to_string(task) + " " + utf8(text));
  bool ok = true;
  auto expect = [&ok](bool condition, const char* what) {
    EXPECT_TRUE(condition) << what;
    ok = ok && condition;
  };
  expect(sexOf(record) == sex, "sex code");
  expect(genesWithMutantAllele(record) <= gene_count + 1, "at most the listed genes");
  if (sex == Sex::Male) {
    expect(record.alleleCount[gene::to] != 1, "a male has To or not");
  }

  Genotype described = record;
  describePhenotype(described, false, false, Language::English);
  std::vector<MessageId> findings;
  expect(!listUndesirableCombinations(described, findings), "no undesirable combination");
  expect(!described.expressed[UnnamedMarker], "a named colour");
  expect(record.alleleCount[gene::lg] != 2 && record.alleleCount[gene::ds] != 2 &&
             record.alleleCount[gene::sa] != 2,
         "nothing lethal and no Double Satin");

  expect((text == U"--") == (genesWithMutantAllele(record) == 0), "-- exactly when all wild");
  const Genotype parsed = parseGenotype(text, sex);
  expect(parsed.alleleCount == record.alleleCount, "the text reads back as the same animal");
  return ok;
}

bool checkExercise(const Exercise& x, std::uint32_t task, int gene_count) {
  const Genotype& male = x.animals.male;
  const Genotype& female = x.animals.female;
  if (!checkParent(male, x.texts.male, Sex::Male, gene_count, task) ||
      !checkParent(female, x.texts.female, Sex::Female, gene_count, task)) {
    return false;
  }

  // Both parents are rolled over one gene list.
  int genes_in_play = 0;
  for (GeneIndex i = 0; i < GeneCount; ++i) {
    genes_in_play += male.alleleCount[i] != 0 || female.alleleCount[i] != 0 ? 1 : 0;
  }
  EXPECT_LE(genes_in_play, gene_count + 1) << "task " << task;
  std::vector<MessageId> warnings;
  EXPECT_TRUE(matingWarnings(male, female, warnings)) << "task " << task;
  EXPECT_FALSE(male.alleleCount[gene::sa] != 0 && female.alleleCount[gene::sa] != 0)
      << "task " << task;
  return genes_in_play <= gene_count + 1 && warnings.empty();
}

class GenerateTaskProperties : public ::testing::TestWithParam<int> {};

TEST_P(GenerateTaskProperties, HoldForThousandsOfTaskNumbers) {
  const int gene_count = GetParam();
  // Consecutive numbers, and a few the dialogue gets from negative or
  // clamped input (seeded as unsigned 32-bit values).
  std::vector<std::uint32_t> tasks = {0x80000000u, 0x7FFFFFFFu, 0xFFFFFFFDu, 0xFFFFFFFFu};
  for (std::uint32_t t = 1; t <= 3000; ++t) {
    tasks.push_back(t);
  }

  int wild_parents = 0;
  std::set<std::pair<int, int>> yellow_counts;  // (sex code, count of gene 13)
  for (std::uint32_t task : tasks) {
    const Exercise x = exercise(task, gene_count);
    if (!checkExercise(x, task, gene_count)) {
      break;
    }
    for (const Genotype* g : {&x.animals.male, &x.animals.female}) {
      wild_parents += genesWithMutantAllele(*g) == 0 ? 1 : 0;
      yellow_counts.emplace(g->alleleCount[SexSlot], g->alleleCount[gene::to]);
    }
  }
  // Yellow is in every gene list, so all its outcomes turn up.
  EXPECT_EQ(yellow_counts, (std::set<std::pair<int, int>>{{1, 0}, {1, 2}, {2, 0}, {2, 1}, {2, 2}}));
  if (gene_count == 2) {
    EXPECT_GT(wild_parents, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(RandomAndEasy, GenerateTaskProperties, ::testing::Values(7, 2));

}  // namespace
}  // namespace quorvale
