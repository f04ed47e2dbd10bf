#include "app/stock_command.h"

#include <algorithm>

#include "stock/contradiction.h"
#include "stock/inference.h"
#include "stock/stock_answer.h"
#include "stock/stock_file.h"
#include "text/genotype_error.h"
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

}  // namespace

int runStock(const Invocation& invocation, Language language, const FileReader& read_file,
             Output& out, std::vector<std::u32string>& error_lines) {
  const std::u32string& file = invocation.words.front();
  std::string bytes;
  const platform::FileRead read = read_file(toUtf8(file), kMostStockFileBytes, &bytes);
  if (read != platform::FileRead::Read) {
    error_lines.push_back(fileLine(file, readFault(read, language)));
    return 1;
  }
  const StockReading reading = readStockFile(bytes);
  for (const StockFault& fault : reading.faults) {
    error_lines.push_back(fileLine(file, stockFaultText(fault, language)));
  }
  if (!reading.faults.empty()) {
    return 1;
  }
  const Stock& stock = reading.stock;
  // The animals asked for, by name.
  std::vector<std::size_t> chosen;
  for (std::size_t w = 1; w < invocation.words.size(); ++w) {
    const std::u32string& name = invocation.words[w];
    const auto at =
        std::find_if(stock.animals.begin(), stock.animals.end(),
                     [&](const StockAnimal& a) { return !a.name.empty() && a.name == name; });
    if (at == stock.animals.end()) {
      std::u32string text(language == Language::English ? U"no animal is named "
                                                        : U"нет животного с именем ");
      text += U'"';
      appendShown(std::u32string_view(name).substr(0, 60), text);
      text += U'"';
      error_lines.push_back(fileLine(file, text));
      return 1;
    }
    chosen.push_back(static_cast<std::size_t>(at - stock.animals.begin()));
  }
  const StockModel model(stock);
  if (model.cost() > kMostStockCost) {
    error_lines.push_back(fileLine(
        file, language == Language::English
                  ? U"its records tie too many genes of too many related animals together to be "
                    U"worked out exactly (more than 16,777,216 table entries)"
                  : U"записи связывают слишком много генов слишком многих родственных животных, "
                    U"чтобы посчитать точно (больше 16 777 216 элементов таблиц)"));
    return 1;
  }
  const std::optional<std::vector<StockModel::Weights>> weights = model.weights();
  if (!weights) {
    for (const Contradiction& c : findContradictions(stock)) {
      error_lines.push_back(fileLine(file, contradictionText(stock, c, language)));
    }
    return 1;
  }
  const std::vector<AnimalAnswer> answers = stockAnswers(stock, *weights, chosen);
  if (invocation.json) {
    writeStockJson(stock, answers, language, out);
  } else {
    writeStockText(stock, answers, language, out);
  }
  return 0;
}

}  // namespace quorvale
