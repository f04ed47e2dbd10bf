#include "app/dialogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "genetics/parser.h"
#include "litter/report.h"
#include "phenotype/animal.h"
#include "phenotype/carriers.h"
#include "phenotype/colour_rules.h"
#include "phenotype/description.h"
#include "tasks/random.h"
#include "tasks/task.h"
#include "testing/memory_console.h"
#include "testing/test_support.h"
#include "text/genotype_error.h"
#include "text/language.h"
#include "text/string_output.h"
#include "text/utf8.h"

namespace quorvale {
namespace {

// The fixed texts of the dialogue, typed out here in UTF-8.
const std::string kBanner = "Quorvale: Syrian Hamster Genetics. \n\n";
const std::string kQuestion = "Russian/English (r/e)?   ";
const std::string kMenuEn =
    "\nOptions: 1 - color from genotype, 2 - predict litter,\n"
    "3 - random task, 4 - easy random task, 5 - exit.  ";
const std::string kMenuRu =
    "\nВыберите: 1 - окрас по генотипу, 2 - окрасы потомства,\n"
    " 3 - задача, 4 - легкая задача, 5 - выход.   ";
const std::string kGenotypeEn = "Input the genotype:  ";
const std::string kGenotypeRu = "Введите генотип:  ";
const std::string kMaleEn = "Input the genotype of the male hamster:  ";
const std::string kMaleRu = "Введите генотип самца:  ";
const std::string kFemaleEn = "Input the genotype of the female hamster:  ";
const std::string kFemaleRu = "Введите генотип самки:  ";
const std::string kTaskEn = "Input the task number:   ";
const std::string kTaskRu = "Введите номер задачи:   ";
const std::string kKeyEn = "Press any key to see the answer: ";
const std::string kKeyRu = "Нажмите любую клавишу, чтобы увидеть ответ:   ";

std::string repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) {
    out += text;
  }
  return out;
}

// What the other modules write for an option, computed by calling them
// directly: these tests check how the dialogue asks, reads and joins, not the
// genetics.
std::string colourLines(const std::u32string& word, Language language = Language::English) {
  return toUtf8(colourAnswer(readGenotype(word, Sex::Unspecified), language));
}

std::string litterReport(const std::u32string& male, const std::u32string& female,
                         Language language = Language::English) {
  StringOutput out;
  predictLitter(male, female, language, out);
  return out.bytes();
}

// The task block after the number is accepted, up to and including the key
// wait; *parents gets the pair.
std::string taskBlock(int gene_count, std::uint32_t seed, const std::string& press_key,
                      TaskParents* parents) {
  Random rng(seed);
  *parents = generateTask(gene_count, rng);
  return "\n" + toUtf8(parents->male) + " * " + toUtf8(parents->female) + "\n\n" + press_key;
}

class DialogueTest : public ::testing::Test {
 protected:
  // Runs a whole dialogue on input; the output goes to output_.
  void run(const std::string& input, std::size_t chunk = 4096) {
    console_ = std::make_unique<MemoryConsole>(input, chunk);
    EXPECT_EQ(runDialogue(*console_), 0);
  }
  const std::string& output() const { return console_->output(); }

  std::unique_ptr<MemoryConsole> console_;
};

// Start-up, the language question and the menu, without any option.
TEST_F(DialogueTest, StartUpLanguageAndMenuWords) {
  struct Case {
    const char* input;
    std::string output;  // in the language chosen
  };
  const Case cases[] = {
      {"r\n5\n", kBanner + kQuestion + kMenuRu},
      {"e\n5\n", kBanner + kQuestion + kMenuEn},
      // Upper case and other letters are not answers; each costs a question.
      {"R\nE\nx\nr\n5\n", kBanner + repeat(kQuestion, 4) + kMenuRu},
      {"xyz\ne\n5\n", kBanner + repeat(kQuestion, 4) + kMenuEn},
      // A Cyrillic "е" and "р" look like the answers but are not.
      {"\xD0\xB5 \xD1\x80 r 5", kBanner + repeat(kQuestion, 3) + kMenuRu},
      // "english": e answers, "nglish" is the first menu word and is no option.
      {"english\n5\n", kBanner + kQuestion + kMenuEn + kMenuEn},
      {"e\n6\na\n5\n", kBanner + kQuestion + repeat(kMenuEn, 3)},
      // Only the first character of a menu word counts: "5x" ends the run
      // and the words after it are never read.
      {"e\n5x\n1\n", kBanner + kQuestion + kMenuEn},
      {"r 0 \xD0\x96 \xFF\xFE 5", kBanner + kQuestion + repeat(kMenuRu, 4)},
      // Answers may share a line and use CRLF line ends.
      {"e 6 5", kBanner + kQuestion + repeat(kMenuEn, 2)},
      {"r\r\n6\r\n5\r\n", kBanner + kQuestion + repeat(kMenuRu, 2)},
      // The last word needs no line end.
      {"r\n5", kBanner + kQuestion + kMenuRu},
  };
  for (const Case& c : cases) {
    for (std::size_t chunk : {1, 4096}) {
      run(c.input, chunk);
      EXPECT_EQ(output(), c.output) << "input " << c.input << ", chunk " << chunk;
      // Option 5 is no end of input, even when no more input follows it.
      EXPECT_EQ(console_->inputEndedCount(), 0) << c.input;
    }
  }
}

// Wherever the dialogue waits, the end of input ends the run with nothing
// more written: no prompt repeats, no option runs on a missing answer. The
// console is told once (on a terminal it ends the line).
TEST_F(DialogueTest, EndOfInputAtEveryQuestionEndsTheRun) {
  struct Case {
    const char* input;
    std::string output;
  };
  const Case cases[] = {
      {"", kBanner + kQuestion},
      {"  \r\n", kBanner + kQuestion},
      {"x", kBanner + repeat(kQuestion, 2)},
      {"e", kBanner + kQuestion + kMenuEn},
      {"e 6\n", kBanner + kQuestion + kMenuEn + kMenuEn},
      {"e\n1\n", kBanner + kQuestion + kMenuEn + kGenotypeEn},
      {"e\n2\n", kBanner + kQuestion + kMenuEn + kMaleEn},
      {"e\n2 Aa\n", kBanner + kQuestion + kMenuEn + kMaleEn + kFemaleEn},
      {"e\n3\n", kBanner + kQuestion + kMenuEn + kTaskEn},
      {"e\n3 abc 0\n", kBanner + kQuestion + kMenuEn + repeat(kTaskEn, 3)},
      {"e\n4\n", kBanner + kQuestion + kMenuEn + kTaskEn},
      {"r\n1", kBanner + kQuestion + kMenuRu + kGenotypeRu},
      {"r\n2 --", kBanner + kQuestion + kMenuRu + kMaleRu + kFemaleRu},
      {"r\n4 +0", kBanner + kQuestion + kMenuRu + repeat(kTaskRu, 2)},
  };
  for (const Case& c : cases) {
    run(c.input);
    EXPECT_EQ(output(), c.output) << "input " << c.input;
    EXPECT_TRUE(console_->keyWaits().empty());
    EXPECT_EQ(console_->inputEndedCount(), 1) << "input " << c.input;
  }
}

TEST_F(DialogueTest, OptionOneDescribesOneWordAndTheRestIsTheNextMenuWord) {
  // Only "ee" is the genotype; "dgdg" is then a menu word and no option.
  const std::string answer = colourLines(U"ee");
  run("e\n1 ee dgdg\n5\n");
  EXPECT_EQ(output(), kBanner + kQuestion + kMenuEn + kGenotypeEn + answer + kMenuEn + kMenuEn);

  // "12" is option 1 too.
  run("e\n12\n--\n5\n");
  EXPECT_EQ(output(), kBanner + kQuestion + kMenuEn + kGenotypeEn + colourLines(U"--") + kMenuEn);
}

TEST_F(DialogueTest, OptionOneWritesTheLinesItIsGiven) {
  // Whatever the genotype, the answer is whole lines: a description line and
  // maybe a carrier line, or the error text and a line end.
  for (const std::u32string word : {U"--", U"ee", U"EeDgdg", U"ToY", U"qq", U"Жж", U"\uFFFD"}) {
    const std::string answer = colourLines(word);
    ASSERT_FALSE(answer.empty());
    EXPECT_EQ(answer.back(), '\n');
    bool parses = true;
    try {
      parseGenotype(word, Sex::Unspecified);
    } catch (const GenotypeError& error) {
      parses = false;
      EXPECT_EQ(answer, toUtf8(genotypeErrorText(error, Language::English)) + "\n");
    }
    if (parses) {
      Genotype g = parseGenotype(word, Sex::Unspecified);
      std::string expected = toUtf8(describePhenotype(g, true, true, Language::English)) + "\n";
      const std::u32string carried =
          carriedGenesText(decideCarriedGenes(g, classifyCoat(g)), Language::English);
      if (!carried.empty()) {
        expected += toUtf8(carried) + "\n";
      }
      EXPECT_EQ(answer, expected);
    }
  }
}

TEST_F(DialogueTest, OptionTwoAsksForTheMaleFirst) {
  const std::string report = litterReport(U"ToY", U"Toto");
  run("e\n2 ToY Toto 5\n");
  EXPECT_EQ(output(), kBanner + kQuestion + kMenuEn + kMaleEn + kFemaleEn + report + kMenuEn);

  const std::string russian_report = litterReport(U"ee", U"Ee", Language::Russian);
  run("r\r\n2\r\nee\r\nEe\r\n5\r\n");
  EXPECT_EQ(output(),
            kBanner + kQuestion + kMenuRu + kMaleRu + kFemaleRu + russian_report + kMenuRu);
}

TEST_F(DialogueTest, TaskNumberPromptRepeatsUntilANumberOtherThanZero) {
  TaskParents parents;
  const std::string task = taskBlock(7, 12, kKeyEn, &parents);
  const std::string report = litterReport(parents.male, parents.female);
  run("e\n3\nabc 0 +0 -0 12abc\n5\n");
  const std::string before_key = kBanner + kQuestion + kMenuEn + repeat(kTaskEn, 5) + task;
  EXPECT_EQ(output(), before_key + "\n" + report + kMenuEn);
  // The key is waited for once, right after the request to press it.
  EXPECT_EQ(console_->keyWaits(), std::vector<std::size_t>{before_key.size()});
}

TEST_F(DialogueTest, TaskNumbersSeedTheGeneratorWithTheirBits) {
  struct Case {
    const char* word;
    int genes;
    std::uint32_t seed;
  };
  const Case cases[] = {
      {"-3", 7, 4294967293u},
      {"+7", 2, 7u},
      {"99999999999999999999", 7, 2147483647u},
      {"-99999999999999999999", 2, 2147483648u},
  };
  for (const Case& c : cases) {
    TaskParents parents;
    const std::string task = taskBlock(c.genes, c.seed, kKeyEn, &parents);
    const std::string report = litterReport(parents.male, parents.female);
    run(std::string("e\n") + (c.genes == 7 ? "3 " : "4 ") + c.word + "\n5\n");
    std::string expected = kBanner;
    expected += kQuestion;
    expected += kMenuEn;
    expected += kTaskEn;
    expected += task;
    expected += "\n";
    expected += report;
    expected += kMenuEn;
    EXPECT_EQ(output(), expected) << c.word;
  }
}

TEST_F(DialogueTest, SameTaskNumberGivesTheSameTaskInRussianToo) {
  TaskParents parents;
  const std::string task = taskBlock(2, 5, kKeyRu, &parents);
  const std::string block = kTaskRu + task + "\n" +
                            litterReport(parents.male, parents.female, Language::Russian) + kMenuRu;
  run("r\n4 5\n4\n5\n5\n");
  EXPECT_EQ(output(), kBanner + kQuestion + kMenuRu + block + block);
  EXPECT_EQ(console_->keyWaits().size(), 2u);
}

// The dialogue is fed anything at all: it must end, write only valid UTF-8
// and never wait for a key more often than tasks were asked for.
TEST_F(DialogueTest, ArbitraryBytesEndTheRunCleanly) {
  std::uint32_t state = 1;
  for (int round = 0; round < 200; ++round) {
    std::string input;
    const int length = 1 + round % 40;
    for (int i = 0; i < length; ++i) {
      state = state * 1103515245u + 12345u;
      // Mostly menu digits and white space, some arbitrary bytes.
      static constexpr char kAlphabet[] = "er123450 \n-+aE\xD0\x96\xFF";
      input.push_back(kAlphabet[(state >> 16) % (sizeof(kAlphabet) - 1)]);
    }
    run(input, 1 + round % 7);
    EXPECT_EQ(toUtf8(fromUtf8(output())), output()) << "round " << round;
    const auto tasks =
        std::count(input.begin(), input.end(), '3') + std::count(input.begin(), input.end(), '4');
    EXPECT_LE(static_cast<long>(console_->keyWaits().size()), static_cast<long>(tasks));
  }
}

}  // namespace
}  // namespace quorvale
