#include "stock/stock_questions.h"

#include <algorithm>
#include <utility>

#include "genetics/parser.h"
#include "phenotype/animal.h"
#include "phenotype/colour_answers.h"
#include "stock/coat_boxes.h"
#include "stock/coat_reading.h"
#include "stock/contradiction.h"
#include "stock/inference.h"
#include "stock/stock_file.h"
#include "text/genotype_error.h"
#include "text/phrases.h"
#include "text/utf8.h"

namespace quorvale {

namespace {

std::u32string tooCostly(Language language) {
  return language == Language::English
             ? U"its records tie too many genes of too many related animals together to be "
               U"worked out exactly (more than 16,777,216 table entries)"
             : U"записи связывают слишком много генов слишком многих родственных животных, "
               U"чтобы посчитать точно (больше 16 777 216 элементов таблиц)";
}

std::u32string quotedName(std::u32string_view name) {
  std::u32string text(U"\"");
  appendShown(name.substr(0, 60), text);
  text += U'"';
  return text;
}

std::u32string litterFault(StockLitterFault fault, Language language) {
  const bool english = language == Language::English;
  switch (fault) {
    case StockLitterFault::TooCostly:
      return tooCostly(language);
    case StockLitterFault::TooManyGenotypes:
      return english ? U"the parents may be too many joint genotypes (more than 4,096) to work "
                       U"out their litter exactly"
                     : U"у родителей слишком много возможных совместных генотипов (больше 4 096), "
                       U"чтобы посчитать их помет точно";
    case StockLitterFault::TooManyMembers:
      return english ? U"too many genotypes to list (more than 1,048,576); leave out --members"
                     : U"слишком много генотипов, чтобы их перечислить (больше 1 048 576); уберите "
                       U"--members";
    case StockLitterFault::None:
      break;
  }
  return {};
}

// A parent given as a word: a genotype, or else a colour line, as a
// founder of a stock of two.
struct ParentWord {
  StockAnimal animal;
  ShownParent shown;
};

std::optional<ParentWord> readParentWord(std::u32string_view word, Sex sex, Language language,
                                         std::u32string& error) {
  ParentWord parent;
  parent.animal.name = sex == Sex::Male ? U"male" : U"female";
  parent.animal.sex = sex;
  GeneBox all{};
  for (GeneIndex g = 0; g < GeneCount; ++g) {
    all[static_cast<std::size_t>(g)] = allStates(g);
  }
  parent.animal.coat = {all};
  parent.animal.known = all;
  const PhraseId role =
      sex == Sex::Male ? PhraseId::MaleGenotypeRole : PhraseId::FemaleGenotypeRole;
  if (isEmptyGenotype(word)) {
    error = phraseText(role, language);
    error += emptyGenotypeText(language);
    return std::nullopt;
  }
  const GenotypeReader genotype = readGenotype(word, sex);
  if (!genotype.failed()) {
    // Every gene as the genotype writes it: nothing is possible beyond.
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      parent.animal.known[static_cast<std::size_t>(g)] = static_cast<StateSet>(
          1u << stateOf(g, genotype.genotype().alleleCount[static_cast<std::size_t>(g)], sex));
    }
    for (const auto& [line, l] : {std::pair{&parent.shown.line, language},
                                  std::pair{&parent.shown.english_line, Language::English}}) {
      const AnimalLines lines = describeAnimal(genotype.genotype(), false, false, l);
      *line = lines.description;
      if (!lines.carrier_line.empty()) {
        *line += U", ";
        *line += lines.carrier_line;
      }
    }
    parent.shown.animal = parent.animal;
    return parent;
  }
  const CoatReading coat = readCoat(word);
  if (!coat.coat || coat.coat->lethal) {
    // A name of several colours is what the word meant; otherwise the
    // genotype's fault, and what colour words the word may have been meant
    // as, when there are any.
    error = phraseText(role, language);
    if (coat.error.kind == LineErrorKind::Ambiguous) {
      error += colourLineErrorText(word, coat.error, kCoatFit, language);
    } else {
      error += genotypeErrorLine(genotype.error(), language);
      if (genotype.error().fault == GenotypeFault::CannotParse &&
          coat.error.kind == LineErrorKind::UnknownWord && !coat.error.suggestions.empty()) {
        error += U"; ";
        error += colourLineErrorText(word, coat.error, kCoatFit, language);
      }
    }
    return std::nullopt;
  }
  parent.animal.coat = coatBoxes(coat.coat->lines);
  parent.animal.coat_line = coat.coat->line;
  const bool fits = coat.coat->sex == Sex::Unspecified || coat.coat->sex == sex;
  const bool any = std::any_of(
      parent.animal.coat.begin(), parent.animal.coat.end(),
      [&](const GeneBox& box) { return (box[gene::to] & statesOfSex(gene::to, sex)) != 0; });
  if (!fits || !any) {
    error = phraseText(role, language);
    StockFault fault;
    fault.kind = StockFaultKind::CoatSexDiffers;
    fault.subject = word;
    error += stockFaultText(fault, language);
    return std::nullopt;
  }
  parent.shown = shownAnimal(parent.animal, language);
  parent.shown.name.clear();
  return parent;
}

}  // namespace

StockRead readStock(std::string_view bytes, Language language) {
  StockReading reading = readStockFile(bytes);
  StockRead read;
  for (const StockFault& fault : reading.faults) {
    read.faults.push_back(stockFaultText(fault, language));
  }
  if (reading.faults.empty()) {
    read.stock = std::move(reading.stock);
  }
  return read;
}

std::vector<std::u32string> unworkableStock(const Stock& stock, Language language) {
  std::vector<std::u32string> faults;
  const StockModel model(stock);
  if (model.cost() > kMostStockCost) {
    faults.push_back(tooCostly(language));
  } else if (!model.possible()) {
    for (const Contradiction& c : findContradictions(stock)) {
      faults.push_back(contradictionText(stock, c, language));
    }
  }
  return faults;
}

StockAnswersRead answerStock(const Stock& stock, std::span<const std::size_t> chosen,
                             Language language) {
  StockAnswersRead read;
  const StockModel model(stock);
  if (model.cost() > kMostStockCost) {
    read.faults.push_back(tooCostly(language));
    return read;
  }
  const std::optional<std::vector<StockModel::Weights>> weights = model.weights();
  if (!weights) {
    for (const Contradiction& c : findContradictions(stock)) {
      read.faults.push_back(contradictionText(stock, c, language));
    }
    return read;
  }
  read.answers = stockAnswers(stock, *weights, {chosen.begin(), chosen.end()});
  return read;
}

std::optional<std::size_t> animalNamed(const Stock& stock, std::u32string_view name,
                                       Language language, std::u32string& fault) {
  const auto at =
      std::find_if(stock.animals.begin(), stock.animals.end(),
                   [&](const StockAnimal& a) { return !a.name.empty() && a.name == name; });
  if (at == stock.animals.end()) {
    fault = language == Language::English ? U"no animal is named " : U"нет животного с именем ";
    fault += quotedName(name);
    return std::nullopt;
  }
  return static_cast<std::size_t>(at - stock.animals.begin());
}

std::optional<std::size_t> parentNamed(const Stock& stock, std::u32string_view name, Sex sex,
                                       Language language, std::u32string& fault) {
  const std::optional<std::size_t> at = animalNamed(stock, name, language, fault);
  if (at && stock.animals[*at].sex != sex) {
    const bool english = language == Language::English;
    const bool male = sex == Sex::Male;
    fault = english ? (male ? U"the male " : U"the female ") : (male ? U"самец " : U"самка ");
    fault += quotedName(name);
    fault += english ? U" is not recorded as one" : U" не записан как таковой";
    return std::nullopt;
  }
  return at;
}

ShownParent shownAnimal(const StockAnimal& animal, Language language) {
  ShownParent shown;
  shown.name = animal.name;
  for (const auto& [line, l] :
       {std::pair{&shown.line, language}, std::pair{&shown.english_line, Language::English}}) {
    *line = animal.coat_line ? describedText(*animal.coat_line, l)
                             : std::u32string(l == Language::English ? U"coat not recorded"
                                                                     : U"окрас не указан");
  }
  shown.animal = animal;
  return shown;
}

StockLitterRead litterOfStock(const Stock& stock, std::size_t male, std::size_t female,
                              ShownParent male_shown, ShownParent female_shown,
                              const ReportOptions& options, bool all_possible, Language language) {
  StockLitterWork work = stockLitter(stock, male, female, std::move(male_shown),
                                     std::move(female_shown), options, all_possible, language);
  StockLitterRead read;
  if (work.fault == StockLitterFault::None) {
    read.report = std::move(work.report);
  } else {
    read.fault = litterFault(work.fault, language);
  }
  return read;
}

NamedLitterRead litterOfNamed(const Stock& stock, std::u32string_view male,
                              std::u32string_view female, const ReportOptions& options,
                              bool all_possible, Language language) {
  NamedLitterRead read;
  std::optional<std::size_t> parents[2];
  for (const Sex sex : {Sex::Male, Sex::Female}) {
    const bool is_male = sex == Sex::Male;
    std::u32string fault;
    parents[is_male ? 0 : 1] = parentNamed(stock, is_male ? male : female, sex, language, fault);
    if (!parents[is_male ? 0 : 1]) {
      read.faults.push_back(std::move(fault));
      read.failed = sex;
      return read;
    }
  }
  read.faults = unworkableStock(stock, language);
  if (!read.faults.empty()) {
    return read;
  }
  StockLitterRead litter = litterOfStock(
      stock, *parents[0], *parents[1], shownAnimal(stock.animals[*parents[0]], language),
      shownAnimal(stock.animals[*parents[1]], language), options, all_possible, language);
  if (!litter.report) {
    read.faults.push_back(std::move(litter.fault));
    return read;
  }
  read.report = std::move(litter.report);
  return read;
}

WordsLitterRead litterOfWords(std::u32string_view male, std::u32string_view female,
                              const ReportOptions& options, bool all_possible, Language language) {
  WordsLitterRead read;
  std::u32string error;
  std::optional<ParentWord> male_word = readParentWord(male, Sex::Male, language, error);
  std::optional<ParentWord> female_word;
  if (male_word) {
    female_word = readParentWord(female, Sex::Female, language, error);
  }
  if (!male_word || !female_word) {
    read.faults.push_back(std::move(error));
    read.failed = male_word ? Sex::Female : Sex::Male;
    return read;
  }
  Stock stock;
  stock.animals = {male_word->animal, female_word->animal};
  read.faults = unworkableStock(stock, language);
  if (!read.faults.empty()) {
    return read;
  }
  StockLitterRead litter =
      litterOfStock(stock, 0, 1, std::move(male_word->shown), std::move(female_word->shown),
                    options, all_possible, language);
  if (!litter.report) {
    read.faults.push_back(std::move(litter.fault));
    return read;
  }
  read.report = std::move(litter.report);
  return read;
}

ProveRead proveNamed(const Stock& stock, std::u32string_view name, const ProveOptions& options,
                     Language language) {
  ProveRead read;
  std::u32string fault;
  const std::optional<std::size_t> animal = animalNamed(stock, name, language, fault);
  if (!animal) {
    read.faults.push_back(std::move(fault));
    return read;
  }
  read.faults = unworkableStock(stock, language);
  if (!read.faults.empty()) {
    return read;
  }
  read.work = proveAnimal(stock, *animal, options);
  const bool english = language == Language::English;
  switch (read.work.fault) {
    case ProveFault::None:
      read.animal = animal;
      break;
    case ProveFault::NoSex:
      fault = quotedName(name);
      fault += english ? U": its sex is not recorded, and test matings need it"
                       : U": пол не указан, а для проверочных вязок он нужен";
      read.faults.push_back(std::move(fault));
      break;
    case ProveFault::TooCostly:
      read.faults.push_back(tooCostly(language));
      break;
    case ProveFault::TooManyGenotypes:
      read.faults.push_back(english ? U"a pair may be too many joint genotypes (more than 4,096) "
                                      U"to work out exactly"
                                    : U"у пары слишком много возможных совместных генотипов "
                                      U"(больше 4 096), чтобы посчитать точно");
      break;
  }
  return read;
}

}  // namespace quorvale
