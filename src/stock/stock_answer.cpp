#include "stock/stock_answer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <optional>
#include <utility>

#include "genetics/genotype_text.h"
#include "phenotype/carriers.h"
#include "phenotype/colour_rules.h"
#include "phenotype/description.h"
#include "text/decimal.h"
#include "text/json.h"
#include "text/messages.h"
#include "text/utf8.h"

namespace quorvale {

namespace {

enum class Word : std::uint8_t {
  None,
  Carries,
  Shows,
  Hidden,
  OneCopy,
  TwoCopies,
  HiddenOneCopy,
  HiddenTwoCopies,
  Possible,
  NotProved,
  Proved,
  Male,
  Female,
  SexNotKnown,
  CoatNotRecorded,
};
constexpr int kWordCount = static_cast<int>(Word::CoatNotRecorded) + 1;

// Rows by Language, columns by Word.
constexpr std::u32string_view kWords[LanguageCount][kWordCount] = {
    {U"none", U"carries", U"shows", U"hidden", U"one copy", U"two copies", U"hidden, one copy",
     U"hidden, two copies", U": possible", U" (not proved)", U" (proved)", U"male", U"female",
     U"sex not recorded", U"coat not recorded"},
    {U"нет", U"носит", U"проявлен", U"перекрыт", U"одна копия", U"две копии",
     U"перекрыт, одна копия", U"перекрыт, две копии", U": возможно", U" (не доказано)",
     U" (доказано)", U"самец", U"самка", U"пол не указан", U"окрас не указан"},
};

std::u32string_view word(Word w, Language language) {
  return kWords[static_cast<int>(language)][static_cast<int>(w)];
}

// The simplest genotype of the animal's coat that has state s at gene g,
// or nothing when its coat is not recorded.
std::optional<Genotype> exampleOf(const StockAnimal& animal, GeneIndex g, int s) {
  if (!animal.coat_line) {
    return std::nullopt;
  }
  for (const GeneBox& box : animal.coat) {
    if ((box[static_cast<std::size_t>(g)] >> s & 1u) == 0) {
      continue;
    }
    Genotype example;
    for (GeneIndex h = 0; h < GeneCount; ++h) {
      const int state =
          h == g ? s : std::countr_zero(static_cast<unsigned>(box[static_cast<std::size_t>(h)]));
      example.alleleCount[static_cast<std::size_t>(h)] = countOfState(h, state);
      if (isSexLinked(h)) {
        setSex(example, sexOfState(h, state));
      }
    }
    return example;
  }
  return std::nullopt;
}

Word wordOf(const StockAnimal& animal, GeneIndex g, int s) {
  const int count = countOfState(g, s);
  if (count == 0) {
    return Word::None;
  }
  if (isRecessive(g) && count == 1) {
    return Word::Carries;
  }
  std::optional<Genotype> example = exampleOf(animal, g, s);
  const bool one = (isDominant(g) && count == 1) || (isSexLinked(g) && s == yellow::kFemaleOne);
  if (!example) {
    return one || s == yellow::kMaleYellow ? Word::OneCopy : Word::TwoCopies;
  }
  deriveExpressed(*example);
  const CoatClass coat = classifyCoat(*example);
  bool hidden = (decideCarriedGenes(*example, coat).hidden >> g & 1u) != 0;
  // A tortoiseshell's single Yellow is not expressed, so nothing hides it
  // but a white coat.
  if (isSexLinked(g) && s == yellow::kFemaleOne) {
    hidden = coat.kind == CoatKind::White;
  }
  if (isDominant(g) || one) {
    return hidden ? (one ? Word::HiddenOneCopy : Word::HiddenTwoCopies)
                  : (one ? Word::OneCopy : Word::TwoCopies);
  }
  return hidden ? Word::Hidden : Word::Shows;
}

}  // namespace

void appendChance(const Ratio& chance, Language language, std::u32string& out) {
  const std::string numerator = decimalDigits(chance.numerator);
  const std::string denominator = decimalDigits(chance.denominator);
  const std::u32string percent = percentText(chance, language);
  if (numerator.size() > 12 || denominator.size() > 12) {
    out += percent;
    return;
  }
  appendAscii(numerator, out);
  out += U'/';
  appendAscii(denominator, out);
  out += U" (";
  out += percent;
  out += U')';
}

GeneAnswer geneAnswer(GeneIndex g, const StockModel::Weights& weights) {
  const auto& of_state = weights.of_state[static_cast<std::size_t>(g)];
  int lowest = Weight::kZero;
  for (int s = 0; s < stateCount(g); ++s) {
    lowest = std::min(lowest, of_state[static_cast<std::size_t>(s)].power);
  }
  assert(lowest != Weight::kZero);
  Integer total = 0;
  for (int s = 0; s < stateCount(g); ++s) {
    if (of_state[static_cast<std::size_t>(s)].power == lowest) {
      total += of_state[static_cast<std::size_t>(s)].coefficient;
    }
  }
  GeneAnswer answer;
  answer.gene = g;
  for (int s = 0; s < stateCount(g); ++s) {
    const Weight& w = of_state[static_cast<std::size_t>(s)];
    if (w.isZero()) {
      continue;
    }
    StateAnswer state;
    state.state = s;
    if (w.power > lowest) {
      state.possible = true;
      state.extra = w.power - lowest;
    } else {
      state.chance = lowestTerms({w.coefficient, total});
    }
    answer.states.push_back(std::move(state));
  }
  std::stable_sort(answer.states.begin(), answer.states.end(),
                   [](const StateAnswer& a, const StateAnswer& b) {
                     if (a.possible != b.possible) {
                       return !a.possible;
                     }
                     if (a.possible) {
                       return a.extra < b.extra;
                     }
                     // a/b > c/d, exactly.
                     return a.chance.numerator * b.chance.denominator >
                            b.chance.numerator * a.chance.denominator;
                   });
  return answer;
}

std::vector<AnimalAnswer> stockAnswers(const Stock& stock,
                                       const std::vector<StockModel::Weights>& weights,
                                       const std::vector<std::size_t>& chosen) {
  std::vector<std::size_t> named;
  for (std::size_t a = 0; a < stock.animals.size(); ++a) {
    if (!stock.animals[a].name.empty()) {
      named.push_back(a);
    }
  }
  // Every named animal's genes, and which genes the stock has: those where
  // some animal has a mutant state with a chance.
  std::vector<std::array<GeneAnswer, GeneCount>> genes(stock.animals.size());
  std::array<bool, GeneCount> in_stock{};
  const auto has_mutant_chance = [](const GeneAnswer& gene) {
    return std::any_of(gene.states.begin(), gene.states.end(), [&](const StateAnswer& s) {
      return !s.possible && countOfState(gene.gene, s.state) != 0;
    });
  };
  for (const std::size_t a : named) {
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      GeneAnswer& gene = genes[a][static_cast<std::size_t>(g)];
      gene = geneAnswer(g, weights[a]);
      in_stock[static_cast<std::size_t>(g)] =
          in_stock[static_cast<std::size_t>(g)] || has_mutant_chance(gene);
    }
  }
  std::vector<AnimalAnswer> answers;
  for (const std::size_t a : chosen.empty() ? named : chosen) {
    AnimalAnswer answer;
    answer.animal = a;
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      GeneAnswer& gene = genes[a][static_cast<std::size_t>(g)];
      const bool mutant_possible = std::any_of(
          gene.states.begin(), gene.states.end(),
          [&](const StateAnswer& s) { return s.possible && countOfState(g, s.state) != 0; });
      if (has_mutant_chance(gene) || (in_stock[static_cast<std::size_t>(g)] && mutant_possible)) {
        answer.genes.push_back(std::move(gene));
      }
    }
    answers.push_back(std::move(answer));
  }
  return answers;
}

std::u32string stateWord(const StockAnimal& animal, GeneIndex g, int state, Language language) {
  return std::u32string(word(wordOf(animal, g, state), language));
}

namespace {

// How a parent's state is said in a condition, by its word: before the
// gene's name (in the genitive in Russian) and after it, the parent said
// as the subject or, in Russian, after "у".
struct ConditionWords {
  std::u32string_view before;
  std::u32string_view after;
  bool russian_at = false;  // Russian: "у самца ..."
};

ConditionWords conditionWords(Word w, Language language) {
  const bool english = language == Language::English;
  switch (w) {
    case Word::Carries:
      return english ? ConditionWords{U" carries ", U""} : ConditionWords{U" носит гены ", U""};
    case Word::Shows:
      return english ? ConditionWords{U" shows ", U""}
                     : ConditionWords{U" проявляется ген ", U"", true};
    case Word::Hidden:
      return english ? ConditionWords{U" hides ", U""}
                     : ConditionWords{U" перекрыто проявление ", U"", true};
    case Word::OneCopy:
      return english ? ConditionWords{U" has one copy of ", U""}
                     : ConditionWords{U" одна копия ", U"", true};
    case Word::TwoCopies:
      return english ? ConditionWords{U" has two copies of ", U""}
                     : ConditionWords{U" две копии ", U"", true};
    case Word::HiddenOneCopy:
      return english ? ConditionWords{U" hides ", U""}
                     : ConditionWords{U" перекрыто проявление ", U"", true};
    case Word::HiddenTwoCopies:
      return english ? ConditionWords{U" hides two copies of ", U""}
                     : ConditionWords{U" перекрыты две копии ", U"", true};
    default:
      return english ? ConditionWords{U" has no ", U""} : ConditionWords{U" нет ", U"", true};
  }
}

}  // namespace

std::u32string conditionText(const StockAnimal& parent, bool male, GeneIndex g, int state,
                             Language language) {
  const ConditionWords words = conditionWords(wordOf(parent, g, state), language);
  std::u32string text;
  if (language == Language::English) {
    text = male ? U"the male" : U"the female";
  } else {
    text = words.russian_at ? (male ? U"у самца" : U"у самки") : (male ? U"самец" : U"самка");
  }
  text += words.before;
  text += geneName(g, language);
  text += words.after;
  return text;
}

std::u32string animalLine(const StockAnimal& animal, Language language) {
  std::u32string text = animal.name;
  text += U'\t';
  text += word(animal.sex == Sex::Male     ? Word::Male
               : animal.sex == Sex::Female ? Word::Female
                                           : Word::SexNotKnown,
               language);
  text += U'\t';
  text += animal.coat_line ? describedText(*animal.coat_line, language)
                           : std::u32string(word(Word::CoatNotRecorded, language));
  return text;
}

void writeStockText(const Stock& stock, const std::vector<AnimalAnswer>& answers, Language language,
                    Output& out) {
  for (const AnimalAnswer& answer : answers) {
    const StockAnimal& animal = stock.animals[answer.animal];
    std::u32string text = animalLine(animal, language);
    text += U'\n';
    for (const GeneAnswer& gene : answer.genes) {
      text += U'\t';
      text += geneTitle(gene.gene, language);
      const bool some_possible = gene.states.back().possible;
      // Wild for certain as far as the readings of least power go, the
      // gene is listed for what is possible: "Black carries: possible".
      const bool wild_alone =
          !gene.states.front().possible &&
          countOfState(gene.gene, gene.states.front().state) == 0 &&
          gene.states.front().chance.numerator == gene.states.front().chance.denominator;
      for (const StateAnswer& state : gene.states) {
        if (wild_alone && !state.possible) {
          continue;
        }
        text += U'\t';
        text += stateWord(animal, gene.gene, state.state, language);
        if (state.possible) {
          text += word(Word::Possible, language);
        } else if (state.chance.numerator == state.chance.denominator) {
          text += U" 1";
          text += word(some_possible ? Word::NotProved : Word::Proved, language);
        } else {
          text += U' ';
          appendChance(state.chance, language, text);
        }
      }
      text += U'\n';
    }
    out.write(text);
  }
}

void writeStockJson(const Stock& stock, const std::vector<AnimalAnswer>& answers, Language language,
                    Output& out) {
  JsonWriter json(out);
  json.beginObject();
  json.key("animals");
  json.beginArray(JsonWriter::Layout::kLines);
  for (const AnimalAnswer& answer : answers) {
    const StockAnimal& animal = stock.animals[answer.animal];
    json.beginObject();
    json.key("name");
    json.string(animal.name);
    json.key("sex");
    if (animal.sex == Sex::Unspecified) {
      json.null();
    } else {
      json.asciiString(animal.sex == Sex::Male ? "male" : "female");
    }
    for (const auto& [key, coat_language] :
         {std::pair{"coat", language}, std::pair{"english_coat", Language::English}}) {
      json.key(key);
      if (animal.coat_line) {
        json.string(describedText(*animal.coat_line, coat_language));
      } else {
        json.null();
      }
    }
    json.key("genes");
    json.beginArray();
    for (const GeneAnswer& gene : answer.genes) {
      json.beginObject();
      json.key("gene");
      json.asciiString(mutantAllele(gene.gene));
      json.key("name");
      json.string(geneTitle(gene.gene, language));
      json.key("pairs");
      json.beginArray();
      for (const StateAnswer& state : gene.states) {
        json.beginObject();
        json.key("pair");
        const Sex sex = isSexLinked(gene.gene) ? sexOfState(gene.gene, state.state) : Sex::Male;
        json.asciiString(allelePair(gene.gene, countOfState(gene.gene, state.state), sex));
        json.key("state");
        json.string(stateWord(animal, gene.gene, state.state, language));
        json.key("chance");
        if (state.possible) {
          json.number(0);
        } else {
          writeChance(state.chance, json);
        }
        json.key("possible");
        json.boolean(state.possible);
        json.key("proved");
        json.boolean(!state.possible && gene.proved());
        json.endObject();
      }
      json.endArray();
      json.endObject();
    }
    json.endArray();
    json.endObject();
  }
  json.endArray();
  json.endObject();
  json.end();
}

}  // namespace quorvale
