#include "app/stock_command.h"

#include <algorithm>
#include <optional>

#include "genetics/parser.h"
#include "litter/report.h"
#include "phenotype/animal.h"
#include "phenotype/colour_answers.h"
#include "stock/coat_boxes.h"
#include "stock/coat_reading.h"
#include "stock/contradiction.h"
#include "stock/inference.h"
#include "stock/prove.h"
#include "stock/prove_report.h"
#include "stock/stock_answer.h"
#include "stock/stock_file.h"
#include "stock/stock_litter_report.h"
#include "text/genotype_error.h"
#include "text/phrases.h"
#include "text/utf8.h"

namespace quorvale {

namespace {

constexpr std::u32string_view kProgram = U"quorvale: ";

// "quorvale: FILE: " before a line about the file.
std::u32string fileLine(std::u32string_view file, std::u32string_view text) {
  std::u32string line(kProgram);
  appendShown(file, line);
  line += U": ";
  line += text;
  return line;
}

std::u32string_view readFault(platform::FileRead read, Language language) {
  const bool english = language == Language::English;
  switch (read) {
    case platform::FileRead::CannotOpen:
      return english ? U"cannot be opened" : U"не удается открыть";
    case platform::FileRead::TooLarge:
      return english ? U"is larger than 16 MB, more than any stock file"
                     : U"больше 16 МБ, больше любого файла с животными";
    case platform::FileRead::Failed:
    case platform::FileRead::Read:
      break;
  }
  return english ? U"cannot be read" : U"не удается прочитать";
}

std::u32string_view tooCostly(Language language) {
  return language == Language::English
             ? U"its records tie too many genes of too many related animals together to be "
               U"worked out exactly (more than 16,777,216 table entries)"
             : U"записи связывают слишком много генов слишком многих родственных животных, "
               U"чтобы посчитать точно (больше 16 777 216 элементов таблиц)";
}

// The stock of a file, or nothing, its faults said.
std::optional<Stock> readStock(std::u32string_view file, Language language,
                               const FileReader& read_file,
                               std::vector<std::u32string>& error_lines) {
  std::string bytes;
  const platform::FileRead read = read_file(toUtf8(file), kMostStockFileBytes, &bytes);
  if (read != platform::FileRead::Read) {
    error_lines.push_back(fileLine(file, readFault(read, language)));
    return std::nullopt;
  }
  StockReading reading = readStockFile(bytes);
  for (const StockFault& fault : reading.faults) {
    error_lines.push_back(fileLine(file, stockFaultText(fault, language)));
  }
  if (!reading.faults.empty()) {
    return std::nullopt;
  }
  return std::move(reading.stock);
}

// Whether the stock can be true and can be worked out; otherwise the
// lines that say why.
bool workable(const Stock& stock, std::u32string_view file, Language language,
              std::vector<std::u32string>& error_lines) {
  const StockModel model(stock);
  if (model.cost() > kMostStockCost) {
    error_lines.push_back(fileLine(file, tooCostly(language)));
    return false;
  }
  if (!model.possible()) {
    for (const Contradiction& c : findContradictions(stock)) {
      error_lines.push_back(fileLine(file, contradictionText(stock, c, language)));
    }
    return false;
  }
  return true;
}

std::u32string quotedName(std::u32string_view name) {
  std::u32string text(U"\"");
  appendShown(name.substr(0, 60), text);
  text += U'"';
  return text;
}

// The named animal of the stock, or nothing, said.
std::optional<std::size_t> animalNamed(const Stock& stock, std::u32string_view name,
                                       std::u32string_view file, Language language,
                                       std::vector<std::u32string>& error_lines) {
  const auto at =
      std::find_if(stock.animals.begin(), stock.animals.end(),
                   [&](const StockAnimal& a) { return !a.name.empty() && a.name == name; });
  if (at == stock.animals.end()) {
    std::u32string text(language == Language::English ? U"no animal is named "
                                                      : U"нет животного с именем ");
    text += quotedName(name);
    error_lines.push_back(fileLine(file, text));
    return std::nullopt;
  }
  return static_cast<std::size_t>(at - stock.animals.begin());
}

// The coat of an animal as a litter's report shows its parents.
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

int writeLitterOf(const Stock& stock, std::size_t male, std::size_t female, ShownParent male_shown,
                  ShownParent female_shown, const Invocation& invocation, Language language,
                  std::u32string_view source, Output& out,
                  std::vector<std::u32string>& error_lines) {
  const StockLitterWork work =
      stockLitter(stock, male, female, std::move(male_shown), std::move(female_shown),
                  invocation.report, invocation.all_possible, language);
  const bool english = language == Language::English;
  switch (work.fault) {
    case StockLitterFault::None:
      break;
    case StockLitterFault::TooCostly:
      error_lines.push_back(fileLine(source, tooCostly(language)));
      return 1;
    case StockLitterFault::TooManyGenotypes:
      error_lines.push_back(fileLine(
          source, english ? U"the parents may be too many joint genotypes (more than 4,096) to "
                            U"work out their litter exactly"
                          : U"у родителей слишком много возможных совместных генотипов (больше "
                            U"4 096), чтобы посчитать их помет точно"));
      return 1;
    case StockLitterFault::TooManyMembers:
      error_lines.push_back(fileLine(
          source, english ? U"too many genotypes to list (more than 1,048,576); leave out --members"
                          : U"слишком много генотипов, чтобы их перечислить (больше 1 048 576); "
                            U"уберите --members"));
      return 1;
  }
  if (invocation.json) {
    writeStockLitterJson(work.report, invocation.report, language, out);
  } else {
    writeStockLitter(work.report, invocation.report, language, out);
  }
  return 0;
}

// A parent given on the command line: a genotype, or else a colour line,
// as a founder of a stock of two.
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
  const PhraseId role =
      sex == Sex::Male ? PhraseId::MaleGenotypeRole : PhraseId::FemaleGenotypeRole;
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

int runStock(const Invocation& invocation, Language language, const FileReader& read_file,
             Output& out, std::vector<std::u32string>& error_lines) {
  const std::u32string& file = invocation.words.front();
  const std::optional<Stock> stock = readStock(file, language, read_file, error_lines);
  if (!stock) {
    return 1;
  }
  // The animals asked for, by name.
  std::vector<std::size_t> chosen;
  for (std::size_t w = 1; w < invocation.words.size(); ++w) {
    const std::optional<std::size_t> at =
        animalNamed(*stock, invocation.words[w], file, language, error_lines);
    if (!at) {
      return 1;
    }
    chosen.push_back(*at);
  }
  const StockModel model(*stock);
  if (model.cost() > kMostStockCost) {
    error_lines.push_back(fileLine(file, tooCostly(language)));
    return 1;
  }
  const std::optional<std::vector<StockModel::Weights>> weights = model.weights();
  if (!weights) {
    for (const Contradiction& c : findContradictions(*stock)) {
      error_lines.push_back(fileLine(file, contradictionText(*stock, c, language)));
    }
    return 1;
  }
  const std::vector<AnimalAnswer> answers = stockAnswers(*stock, *weights, chosen);
  if (invocation.json) {
    writeStockJson(*stock, answers, language, out);
  } else {
    writeStockText(*stock, answers, language, out);
  }
  return 0;
}

int runStockLitter(const Invocation& invocation, Language language, const FileReader& read_file,
                   Output& out, std::vector<std::u32string>& error_lines) {
  const std::u32string& file = *invocation.stock_file;
  const std::optional<Stock> stock = readStock(file, language, read_file, error_lines);
  if (!stock) {
    return 1;
  }
  std::optional<std::size_t> parents[2];
  for (int i = 0; i < 2; ++i) {
    const std::u32string name = invocation.words[static_cast<std::size_t>(i)];
    parents[i] = animalNamed(*stock, name, file, language, error_lines);
    if (!parents[i]) {
      return 1;
    }
    const Sex wanted = i == 0 ? Sex::Male : Sex::Female;
    if (stock->animals[*parents[i]].sex != wanted) {
      const bool english = language == Language::English;
      std::u32string text(english ? (i == 0 ? U"the male " : U"the female ")
                                  : (i == 0 ? U"самец " : U"самка "));
      text += quotedName(name);
      text += english ? U" is not recorded as one" : U" не записан как таковой";
      error_lines.push_back(fileLine(file, text));
      return 1;
    }
  }
  if (!workable(*stock, file, language, error_lines)) {
    return 1;
  }
  return writeLitterOf(*stock, *parents[0], *parents[1],
                       shownAnimal(stock->animals[*parents[0]], language),
                       shownAnimal(stock->animals[*parents[1]], language), invocation, language,
                       file, out, error_lines);
}

int runColourLitter(const Invocation& invocation, Language language, Output& out,
                    std::vector<std::u32string>& error_lines) {
  std::u32string error;
  std::optional<ParentWord> male = readParentWord(invocation.words[0], Sex::Male, language, error);
  std::optional<ParentWord> female;
  if (male) {
    female = readParentWord(invocation.words[1], Sex::Female, language, error);
  }
  if (!male || !female) {
    error_lines.push_back(std::u32string(kProgram) + error);
    return 1;
  }
  Stock stock;
  stock.animals = {male->animal, female->animal};
  if (!workable(stock, U"litter", language, error_lines)) {
    return 1;
  }
  return writeLitterOf(stock, 0, 1, std::move(male->shown), std::move(female->shown), invocation,
                       language, U"litter", out, error_lines);
}

int runProve(const Invocation& invocation, Language language, const FileReader& read_file,
             Output& out, std::vector<std::u32string>& error_lines) {
  const bool english = language == Language::English;
  const std::u32string& file = invocation.words[0];
  ProveOptions options;
  options.pups = invocation.report.pups > 0 ? invocation.report.pups : 8;
  for (const std::u32string& typed : invocation.confidences) {
    options.confidences.push_back(*readConfidence(typed));
  }
  if (options.confidences.empty()) {
    options.confidences = defaultConfidences();
  }
  for (std::size_t w = 2; w < invocation.words.size(); ++w) {
    const std::optional<GeneIndex> g = readGeneWord(invocation.words[w]);
    if (!g) {
      std::u32string line(kProgram);
      line += english ? U"no gene is called " : U"нет гена ";
      line += quotedName(invocation.words[w]);
      error_lines.push_back(std::move(line));
      return 1;
    }
    options.genes = static_cast<std::uint16_t>(options.genes | 1u << *g);
  }
  const std::optional<Stock> stock = readStock(file, language, read_file, error_lines);
  if (!stock) {
    return 1;
  }
  const std::optional<std::size_t> animal =
      animalNamed(*stock, invocation.words[1], file, language, error_lines);
  if (!animal || !workable(*stock, file, language, error_lines)) {
    return 1;
  }
  const ProveWork work = proveAnimal(*stock, *animal, options);
  switch (work.fault) {
    case ProveFault::None:
      break;
    case ProveFault::NoSex: {
      std::u32string text = quotedName(invocation.words[1]);
      text += english ? U": its sex is not recorded, and test matings need it"
                      : U": пол не указан, а для проверочных вязок он нужен";
      error_lines.push_back(fileLine(file, text));
      return 1;
    }
    case ProveFault::TooCostly:
      error_lines.push_back(fileLine(file, tooCostly(language)));
      return 1;
    case ProveFault::TooManyGenotypes:
      error_lines.push_back(fileLine(
          file, english ? U"a pair may be too many joint genotypes (more than 4,096) to work out "
                          U"exactly"
                        : U"у пары слишком много возможных совместных генотипов (больше 4 096), "
                          U"чтобы посчитать точно"));
      return 1;
  }
  if (invocation.json) {
    writeProveJson(*stock, *animal, work, options, language, out);
  } else {
    writeProveText(*stock, *animal, work, options, language, out);
  }
  return 0;
}

}  // namespace quorvale
