#include "tasks/task.h"

#include <span>
#include <string>

#include "litter/mating.h"
#include "litter/report_json.h"
#include "phenotype/colour_rules.h"
#include "phenotype/description.h"
#include "tasks/task_number.h"
#include "text/json.h"

namespace quorvale {

namespace {

// What one drawn value gives, indexed by the value mod the table's length.
// The dominant genes come out mostly wild so that a task is not crowded with
// them; Yellow is the allele pair of an X chromosome, so a male has it or not.
constexpr int kRecessiveRoll[] = {2, 1, 0};
constexpr int kDominantRoll[] = {2, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr int kMaleYellowRoll[] = {0, 2};
constexpr int kFemaleYellowRoll[] = {2, 1, 1, 1, 0, 0, 0, 0};

std::span<const int> rollTable(GeneIndex g, Sex sex) {
  if (isRecessive(g)) {
    return kRecessiveRoll;
  }
  if (isDominant(g)) {
    return kDominantRoll;
  }
  return sex == Sex::Male ? std::span<const int>(kMaleYellowRoll) : kFemaleYellowRoll;
}

}  // namespace

int rolledAlleleCount(GeneIndex g, Sex sex, int value) {
  const std::span<const int> table = rollTable(g, sex);
  return table[static_cast<std::size_t>(value) % table.size()];
}

bool isPresentableParent(Genotype& g) {
  deriveExpressed(g);
  std::vector<MessageId> findings;
  return !listUndesirableCombinations(g, findings) && classifyCoat(g).kind != CoatKind::Unnamed;
}

TaskAnimals taskAnimals(std::int32_t number, bool easy) {
  Random rng(taskSeed(number));
  return generateTaskAnimals(easy ? kEasyTaskGenes : kTaskGenes, rng);
}

TaskParents parentTexts(const TaskAnimals& animals) {
  return {.male = genotypeText(animals.male), .female = genotypeText(animals.female)};
}

std::u32string taskLine(const TaskParents& parents) {
  return parents.male + U" * " + parents.female;
}

void writeTask(const TaskAnimals& animals, bool with_answer, const ReportOptions& options,
               Language language, Output& out) {
  std::u32string line = taskLine(parentTexts(animals));
  line += U'\n';
  out.write(line);
  if (with_answer) {
    out.writeAscii("\n");
    writeReport(animals.male, animals.female, options, language, out);
  }
}

void writeTasksJson(std::span<const std::int32_t> numbers, bool easy, bool with_answer,
                    const ReportOptions& options, Language language, Output& out) {
  JsonWriter json(out);
  json.beginObject();
  json.key("tasks");
  json.beginArray(JsonWriter::Layout::kLines);
  for (const std::int32_t number : numbers) {
    const TaskAnimals animals = taskAnimals(number, easy);
    const TaskParents parents = parentTexts(animals);
    json.beginObject();
    json.key("number");
    json.number(number);
    json.key("easy");
    json.boolean(easy);
    json.key("male");
    json.string(parents.male);
    json.key("female");
    json.string(parents.female);
    if (with_answer) {
      json.key("litter");
      writeLitterJson(animals.male, animals.female, options, language, json);
    }
    json.endObject();
  }
  json.endArray();
  json.endObject();
  json.end();
}

bool canBeMated(const Genotype& male, const Genotype& female) {
  std::vector<MessageId> warnings;
  return matingWarnings(male, female, warnings);
}

}  // namespace quorvale
