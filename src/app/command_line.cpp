#include "app/command_line.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "app/arguments.h"
#include "app/usage.h"
#include "genetics/parser.h"
#include "litter/report.h"
#include "litter/report_json.h"
#include "phenotype/animal.h"
#include "phenotype/colour_answers.h"
#include "phenotype/colour_line.h"
#include "tasks/task.h"
#include "tasks/task_number.h"
#include "text/genotype_error.h"
#include "text/phrases.h"
#include "text/utf8.h"

namespace quorvale {

namespace {

constexpr std::u32string_view kProgram = U"quorvale: ";

// "genotype 2: ", "task number 1: ".
std::u32string numberedRole(PhraseId role, std::size_t position, Language language) {
  std::u32string text(phraseText(role, language));
  appendAscii(std::to_string(position), text);
  text += U": ";
  return text;
}

// The one error line of a word that is not valid.
std::u32string invalidWordLine(std::u32string_view role, std::u32string_view error) {
  std::u32string line(kProgram);
  line += role;
  line += error;
  return line;
}

std::u32string genotypeErrorLineOf(std::u32string_view role, const GenotypeReader& reader,
                                   Language language) {
  return invalidWordLine(role, genotypeErrorLine(reader.error(), language));
}

// The words joined by blanks, as one line.
std::u32string joined(std::span<const std::u32string> words) {
  std::u32string line;
  for (const std::u32string& word : words) {
    line += line.empty() ? U"" : U" ";
    line += word;
  }
  return line;
}

// A colour name where a genotype belongs: the way back knows it.
void addColourHint(std::u32string_view word, Language language, std::u32string& line) {
  if (isColourName(word)) {
    line += phraseText(PhraseId::TryGenotypes, language);
    appendShown(word, line);
  }
}

// Each animal's colour lines; with several words, each answer after a line
// with its word, and an empty line between answers.
int runColor(const Invocation& invocation, Language language, Output& out,
             std::vector<std::u32string>& error_lines) {
  std::vector<GenotypeReader> animals;
  for (std::size_t i = 0; i < invocation.words.size(); ++i) {
    if (isEmptyGenotype(invocation.words[i])) {
      error_lines.push_back(invalidWordLine(numberedRole(PhraseId::GenotypeRole, i + 1, language),
                                            emptyGenotypeText(language)));
      return kExitInvalidInput;
    }
    animals.push_back(readGenotype(invocation.words[i], Sex::Unspecified));
    if (animals.back().failed()) {
      error_lines.push_back(genotypeErrorLineOf(
          numberedRole(PhraseId::GenotypeRole, i + 1, language), animals.back(), language));
      addColourHint(invocation.words[i], language, error_lines.back());
      return kExitInvalidInput;
    }
  }
  if (invocation.json) {
    std::vector<Genotype> genotypes;
    genotypes.reserve(animals.size());
    for (const GenotypeReader& animal : animals) {
      genotypes.push_back(animal.genotype());
    }
    writeColourAnswerJson(invocation.words, genotypes, language, out);
    return kExitDone;
  }
  const bool several = animals.size() > 1;
  for (std::size_t i = 0; i < animals.size(); ++i) {
    std::u32string text;
    if (several) {
      if (i > 0) {
        text += U'\n';
      }
      // A word that parsed is plain ASCII: symbols, or "--".
      text += invocation.words[i];
      text += U'\n';
    }
    text += colourAnswer(animals[i], language);
    out.write(text);
  }
  return kExitDone;
}

int runLitter(const Invocation& asked, Language language, const FileReader& read_file, Output& out,
              std::vector<std::u32string>& error_lines) {
  Invocation invocation = asked;
  if (invocation.find) {
    // The colour looked for, read before the litter is worked out.
    const ColourLineReading reading = readColourLine(*invocation.find, kTargetFit);
    if (!reading.pattern) {
      error_lines.push_back(
          std::u32string(kProgram) + U"--find: " +
          colourLineErrorText(*invocation.find, reading.error, kTargetFit, language));
      return kExitInvalidInput;
    }
    invocation.report.find = reading.pattern;
  }
  if (invocation.stock_file) {
    return runStockLitter(invocation, language, read_file, out, error_lines);
  }
  const ParentsRead parents = readParents(invocation.words[0], invocation.words[1], language);
  if (parents.empty) {
    error_lines.push_back(invalidWordLine(parents.error, U""));
    return kExitInvalidInput;
  }
  if (!parents.error.empty()) {
    // A word that is no genotype may be a colour line: a parent known only
    // by its coat.
    return runColourLitter(invocation, language, out, error_lines);
  }
  if (invocation.json) {
    writeReportJson(parents.male, parents.female, invocation.report, language, out);
  } else {
    writeReport(parents.male, parents.female, invocation.report, language, out);
  }
  return kExitDone;
}

// Each exercise, with its answer unless --no-answer, an empty line between.
int runTask(const Invocation& invocation, Language language, Output& out,
            std::vector<std::u32string>& error_lines) {
  std::vector<std::int32_t> numbers;
  for (std::size_t i = 0; i < invocation.words.size(); ++i) {
    const std::optional<std::int32_t> number = strictTaskNumber(invocation.words[i]);
    if (!number) {
      error_lines.push_back(invalidWordLine(numberedRole(PhraseId::TaskNumberRole, i + 1, language),
                                            notATaskNumberText(invocation.words[i], language)));
      return kExitInvalidInput;
    }
    numbers.push_back(*number);
  }
  if (invocation.json) {
    writeTasksJson(numbers, invocation.easy, !invocation.no_answer, invocation.report, language,
                   out);
    return kExitDone;
  }
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) {
      out.writeAscii("\n");
    }
    writeTask(taskAnimals(numbers[i], invocation.easy), !invocation.no_answer, invocation.report,
              language, out);
  }
  return kExitDone;
}

int runColors(const Invocation& invocation, Language language, Output& out,
              std::vector<std::u32string>& error_lines) {
  std::u32string error;
  const bool written = invocation.json
                           ? writeColourTableJson(invocation.words, language, out, &error)
                           : writeColourTable(invocation.words, language, out, &error);
  if (!written) {
    error_lines.push_back(std::u32string(kProgram) + error);
    return kExitInvalidInput;
  }
  return kExitDone;
}

int runGenotypes(const Invocation& invocation, Language language, Output& out,
                 std::vector<std::u32string>& error_lines) {
  const std::u32string line = joined(invocation.words);
  std::u32string error;
  const bool written = invocation.json ? writeGenotypesOfLineJson(line, language, out, &error)
                                       : writeGenotypesOfLine(line, language, out, &error);
  if (!written) {
    error_lines.push_back(std::u32string(kProgram) + error);
    return kExitInvalidInput;
  }
  return kExitDone;
}

int runCommand(const ParsedArguments& parsed, Language language, const FileReader& read_file,
               Output& out, std::vector<std::u32string>& error_lines) {
  const Invocation& invocation = parsed.invocation;
  if (invocation.help) {
    out.write(helpText(language));
    return kExitDone;
  }
  if (invocation.version) {
    out.write(versionText());
    return kExitDone;
  }
  if (parsed.error) {
    error_lines.push_back(std::u32string(kProgram) + usageErrorText(*parsed.error, language));
    error_lines.emplace_back(usageHint(language));
    return kExitUsage;
  }
  switch (invocation.command) {
    case Command::Color:
      return runColor(invocation, language, out, error_lines);
    case Command::Litter:
      return runLitter(invocation, language, read_file, out, error_lines);
    case Command::Task:
      return runTask(invocation, language, out, error_lines);
    case Command::Colors:
      return runColors(invocation, language, out, error_lines);
    case Command::Genotypes:
      return runGenotypes(invocation, language, out, error_lines);
    case Command::Stock:
      return runStock(invocation, language, read_file, out, error_lines);
    case Command::Prove:
      return runProve(invocation, language, read_file, out, error_lines);
    case Command::None:
      break;
  }
  return kExitUsage;  // not reached: a command line without a command is a usage error
}

}  // namespace

CommandOutcome runCommandLine(std::span<const std::u32string> words, Language default_language,
                              const FileReader& read_file, Output& out,
                              std::vector<std::u32string>& error_lines) {
  const ParsedArguments parsed = parseArguments(words);
  const Language language = parsed.invocation.language.value_or(default_language);
  return {runCommand(parsed, language, read_file, out, error_lines), language};
}

}  // namespace quorvale
