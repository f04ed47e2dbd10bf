#include "text/messages.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "testing/test_support.h"
#include "text/language.h"
#include "text/utf8.h"

namespace quorvale {
namespace {

// The catalogue as the user must see it, byte for byte in UTF-8, typed out
// here on its own so that a slip in the program's table (a lost trailing
// blank, a Latin letter for a Cyrillic one) shows up as a difference. The
// trailing-blank counts are checked separately because they are invisible
// in a failure message.
struct ExpectedMessage {
  MessageId id;
  std::string_view english;
  std::string_view russian;
  int english_trailing_blanks;
  int russian_trailing_blanks;
};

constexpr ExpectedMessage kExpectedMessages[] = {
    {MessageId::MenuPrompt,
     "\nOptions: 1 - color from genotype, 2 - predict litter,\n"
     "3 - random task, 4 - easy random task, 5 - exit.  ",
     "\nВыберите: 1 - окрас по генотипу, 2 - окрасы потомства,\n"
     " 3 - задача, 4 - легкая задача, 5 - выход.   ",
     2, 3},
    {MessageId::CannotParse, "\nCan't parse the following part of genotype: ",
     "\nНе поддается расшифровке следующая часть генотипа: ", 1, 1},
    {MessageId::GenotypePrompt, "Input the genotype:  ", "Введите генотип:  ", 2, 2},
    {MessageId::RepeatedGene, "\nError: second sequence corresponding to the same gene: ",
     "\nОшибка: код, соответствующий одним и тем же генам, встречается второй раз: ", 1, 1},
    {MessageId::MalePrompt,
     "Input the genotype of the male hamster:  ", "Введите генотип самца:  ", 2, 2},
    {MessageId::FemalePrompt,
     "Input the genotype of the female hamster:  ", "Введите генотип самки:  ", 2, 2},
    {MessageId::MaleLabel, "\nMale: ", "\nОкрас самца: ", 1, 1},
    {MessageId::FemaleLabel, "Female: ", "Окрас самки: ", 1, 1},
    {MessageId::LitterLabel, "Litter: ", "Окрасы потомства: ", 1, 1},
    {MessageId::TaskNumberPrompt, "Input the task number:   ", "Введите номер задачи:   ", 3, 3},
    {MessageId::PressAnyKey,
     "Press any key to see the answer: ", "Нажмите любую клавишу, чтобы увидеть ответ:   ", 1, 3},
    {MessageId::CarriesGenesOf, "carries genes of ", "носит гены ", 1, 1},
    {MessageId::AndSeparator, " and ", " и ", 1, 1},
    {MessageId::UndesirableCombination,
     "Undesirable combination of genes: ", "Нежелательное сочетание ген: ", 1, 1},
    {MessageId::UndesirableForMating,
     "Undesirable genes for mating: ", "Нежелательное сочетание ген для вязки: ", 1, 1},
    {MessageId::DoubleSatin, "Double Satin", "двойной атласный", 0, 0},
    {MessageId::SatinAndSatin, "Satin & Satin", "атласный и атласный", 0, 0},
    {MessageId::YInFemale, "\nError: Y chromosome cannot be present in female genotype",
     "\nОшибка: Y-хромосома в генотипе самки", 0, 0},
    {MessageId::OneToInMale, "\nError: only one 'To' or 'to' gene can be present in male genotype",
     "\nОшибка: в генотипе самца может присутствовать только один ген To (или to)", 0, 0},
    {MessageId::YellowDilutedByCream, "Yellow diluted by Cream", "желтый разбавлен кремовым", 0, 0},
    {MessageId::MixingYellowWithCream, "mixing Yellow with Cream", "смешивание желтого и кремового",
     0, 0},
    {MessageId::MaleSuffix, ", male", ", самец", 0, 0},
    {MessageId::FemaleSuffix, ", female", ", самка", 0, 0},
    {MessageId::Hidden, "hidden ", "перекрыто проявление ", 1, 1},
    {MessageId::HomozygousLightGrey, "homozygous Light Grey", "гомозиготный светло-серый", 0, 0},
    {MessageId::HomozygousDominantSpot, "homozygous Dominant Spot", "гомозиготный пятнистый", 0, 0},
    {MessageId::DifferentGreysMixed, "different Greys mixed", "смешаны разные серые", 0, 0},
    {MessageId::LightGreyAndLightGrey, "Light Grey & Light Grey", "светло-серый и светло-серый", 0,
     0},
    {MessageId::DominantSpotAndDominantSpot, "Dominant Spot & Dominant Spot",
     "пятнистый и пятнистый", 0, 0},
    {MessageId::MixingDifferentGreys, "mixing different Greys ", "смешивание разных серых", 1, 0},
    {MessageId::SkippedGeneHint, "\nDid you skip one of the genes in a pair?",
     "\nВозможно, пропущен второй из пары ген?", 0, 0},
};

struct ExpectedGeneName {
  GeneIndex gene;
  std::string_view english;
  std::string_view russian;
};

constexpr ExpectedGeneName kExpectedGeneNames[] = {
    {gene::e, "Cream", "кремового"},           {gene::dg, "Dark Grey", "темно-серого"},
    {gene::p, "Cinnamon", "коричного"},        {gene::a, "Black", "черного"},
    {gene::cd, "DE White", "белого ТУ"},       {gene::rd, "Recessive Dappled", "пестрого"},
    {gene::l, "Long Hair", "длинношерстного"}, {gene::u, "Umbrous", "копченого"},
    {gene::ba, "Banded", "белого пояса"},      {gene::sa, "Satin", "атласного"},
    {gene::sg, "Silver Grey", "серебристого"}, {gene::lg, "Light Grey", "светло-серого"},
    {gene::ds, "Dominant Spot", "пятнистого"}, {gene::to, "Yellow", "желтого"},
};

int trailingBlanks(std::string_view text) {
  int n = 0;
  while (!text.empty() && text.back() == ' ') {
    text.remove_suffix(1);
    ++n;
  }
  return n;
}

TEST(MessagesTest, EveryMessageIsExactInBothLanguages) {
  ASSERT_EQ(std::size(kExpectedMessages), static_cast<std::size_t>(MessageCount));
  for (int i = 0; i < MessageCount; ++i) {
    const ExpectedMessage& m = kExpectedMessages[i];
    ASSERT_EQ(static_cast<int>(m.id), i) << "the table above must be in MessageId order";
    SCOPED_TRACE("message " + std::to_string(i));
    EXPECT_EQ(toUtf8(messageText(m.id, Language::English)), m.english);
    EXPECT_EQ(toUtf8(messageText(m.id, Language::Russian)), m.russian);
    EXPECT_EQ(trailingBlanks(toUtf8(messageText(m.id, Language::English))),
              m.english_trailing_blanks);
    EXPECT_EQ(trailingBlanks(toUtf8(messageText(m.id, Language::Russian))),
              m.russian_trailing_blanks);
  }
}

TEST(MessagesTest, EveryGeneNameIsExactInBothLanguages) {
  ASSERT_EQ(std::size(kExpectedGeneNames), static_cast<std::size_t>(GeneCount));
  for (const ExpectedGeneName& n : kExpectedGeneNames) {
    SCOPED_TRACE("gene " + std::to_string(n.gene));
    EXPECT_EQ(toUtf8(geneName(n.gene, Language::English)), n.english);
    EXPECT_EQ(toUtf8(geneName(n.gene, Language::Russian)), n.russian);
  }
}

// No text of the catalogue may carry a control character other than the
// line feed, nor a Latin letter inside a Russian word (the two alphabets
// share look-alike letters).
TEST(MessagesTest, RussianTextsMixNoLatinLettersIntoCyrillicWords) {
  for (int i = 0; i < MessageCount; ++i) {
    const std::u32string_view text = messageText(static_cast<MessageId>(i), Language::Russian);
    for (std::size_t k = 0; k < text.size(); ++k) {
      EXPECT_TRUE(text[k] >= 0x20 || text[k] == U'\n') << "message " << i;
      const bool latin =
          (text[k] >= U'a' && text[k] <= U'z') || (text[k] >= U'A' && text[k] <= U'Z');
      const bool cyrillic_before = k > 0 && text[k - 1] >= 0x400 && text[k - 1] <= 0x4FF;
      const bool cyrillic_after =
          k + 1 < text.size() && text[k + 1] >= 0x400 && text[k + 1] <= 0x4FF;
      EXPECT_FALSE(latin && (cyrillic_before || cyrillic_after)) << "message " << i << " at " << k;
    }
  }
}

}  // namespace
}  // namespace quorvale
