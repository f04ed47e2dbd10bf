#include "app/stock_command.h"

#include <optional>
#include <utility>

#include "stock/prove.h"
#include "stock/prove_report.h"
#include "stock/stock_answer.h"
#include "stock/stock_litter_report.h"
#include "stock/stock_questions.h"
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

// The stock of a file, or nothing, its faults said.
std::optional<Stock> stockOfFile(std::u32string_view file, Language language,
                                 const FileReader& read_file,
                                 std::vector<std::u32string>& error_lines) {
  std::string bytes;
  const platform::FileRead read = read_file(toUtf8(file), kMostStockFileBytes, &bytes);
  if (read != platform::FileRead::Read) {
    error_lines.push_back(fileLine(file, readFault(read, language)));
    return std::nullopt;
  }
  StockRead stock = readStock(bytes, language);
  for (const std::u32string& fault : stock.faults) {
    error_lines.push_back(fileLine(file, fault));
  }
  return std::move(stock.stock);
}

void writeLitter(const StockLitterReport& report, const Invocation& invocation, Language language,
                 Output& out) {
  if (invocation.json) {
    writeStockLitterJson(report, invocation.report, language, out);
  } else {
    writeStockLitter(report, invocation.report, language, out);
  }
}

}  // namespace

int runStock(const Invocation& invocation, Language language, const FileReader& read_file,
             Output& out, std::vector<std::u32string>& error_lines) {
  const std::u32string& file = invocation.words.front();
  const std::optional<Stock> stock = stockOfFile(file, language, read_file, error_lines);
  if (!stock) {
    return 1;
  }
  // The animals asked for, by name.
  std::vector<std::size_t> chosen;
  for (std::size_t w = 1; w < invocation.words.size(); ++w) {
    std::u32string fault;
    const std::optional<std::size_t> at = animalNamed(*stock, invocation.words[w], language, fault);
    if (!at) {
      error_lines.push_back(fileLine(file, fault));
      return 1;
    }
    chosen.push_back(*at);
  }
  const StockAnswersRead answers = answerStock(*stock, chosen, language);
  if (!answers.faults.empty()) {
    for (const std::u32string& fault : answers.faults) {
      error_lines.push_back(fileLine(file, fault));
    }
    return 1;
  }
  if (invocation.json) {
    writeStockJson(*stock, answers.answers, language, out);
  } else {
    writeStockText(*stock, answers.answers, language, out);
  }
  return 0;
}

int runStockLitter(const Invocation& invocation, Language language, const FileReader& read_file,
                   Output& out, std::vector<std::u32string>& error_lines) {
  const std::u32string& file = *invocation.stock_file;
  const std::optional<Stock> stock = stockOfFile(file, language, read_file, error_lines);
  if (!stock) {
    return 1;
  }
  const NamedLitterRead litter =
      litterOfNamed(*stock, invocation.words[0], invocation.words[1], invocation.report,
                    invocation.all_possible, language);
  for (const std::u32string& fault : litter.faults) {
    error_lines.push_back(fileLine(file, fault));
  }
  if (!litter.report) {
    return 1;
  }
  writeLitter(*litter.report, invocation, language, out);
  return 0;
}

int runColourLitter(const Invocation& invocation, Language language, Output& out,
                    std::vector<std::u32string>& error_lines) {
  const WordsLitterRead litter =
      litterOfWords(invocation.words[0], invocation.words[1], invocation.report,
                    invocation.all_possible, language);
  for (const std::u32string& fault : litter.faults) {
    // A word's fault is the word's; any other is the litter's.
    error_lines.push_back(litter.failed != Sex::Unspecified ? std::u32string(kProgram) + fault
                                                            : fileLine(U"litter", fault));
  }
  if (!litter.report) {
    return 1;
  }
  writeLitter(*litter.report, invocation, language, out);
  return 0;
}

int runProve(const Invocation& invocation, Language language, const FileReader& read_file,
             Output& out, std::vector<std::u32string>& error_lines) {
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
      line += language == Language::English ? U"no gene is called \"" : U"нет гена \"";
      appendShown(std::u32string_view(invocation.words[w]).substr(0, 60), line);
      line += U'"';
      error_lines.push_back(std::move(line));
      return 1;
    }
    options.genes = static_cast<std::uint16_t>(options.genes | 1u << *g);
  }
  const std::optional<Stock> stock = stockOfFile(file, language, read_file, error_lines);
  if (!stock) {
    return 1;
  }
  const ProveRead read = proveNamed(*stock, invocation.words[1], options, language);
  for (const std::u32string& fault : read.faults) {
    error_lines.push_back(fileLine(file, fault));
  }
  if (!read.animal) {
    return 1;
  }
  if (invocation.json) {
    writeProveJson(*stock, *read.animal, read.work, options, language, out);
  } else {
    writeProveText(*stock, *read.animal, read.work, options, language, out);
  }
  return 0;
}

}  // namespace quorvale
