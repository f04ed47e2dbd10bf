#include "stock/contradiction.h"

#include <string>

#include "stock/inference.h"
#include "text/genotype_error.h"
#include "text/messages.h"
#include "text/utf8.h"

namespace quorvale {

namespace {

std::uint16_t bitOf(GeneIndex g) { return static_cast<std::uint16_t>(1u << g); }

bool possibleOver(const Stock& stock, std::uint16_t genes) {
  const StockModel model(stock, genes);
  return model.cost() > kMostStockCost || model.possible();
}

// The young's record with its recorded parents, who stand as founders.
Stock familyOf(const Stock& stock, std::size_t young) {
  Stock family;
  StockAnimal child = stock.animals[young];
  for (int* parent : {&child.father, &child.mother}) {
    if (*parent == StockAnimal::kUnknownParent) {
      continue;
    }
    StockAnimal founder = stock.animals[static_cast<std::size_t>(*parent)];
    founder.father = StockAnimal::kUnknownParent;
    founder.mother = StockAnimal::kUnknownParent;
    *parent = static_cast<int>(family.animals.size());
    family.animals.push_back(std::move(founder));
  }
  family.animals.push_back(std::move(child));
  return family;
}

// Whether animal a is someone's parent.
bool isParent(const Stock& stock, std::size_t a) {
  for (const StockAnimal& animal : stock.animals) {
    if (animal.father == static_cast<int>(a) || animal.mother == static_cast<int>(a)) {
      return true;
    }
  }
  return false;
}

// Forgets what a record says of the animal's genes: its coat, its known
// genes, the chances stated, and its sex unless it is a parent.
void forget(StockAnimal& animal, bool keep_sex) {
  GeneBox all{};
  for (GeneIndex g = 0; g < GeneCount; ++g) {
    all[static_cast<std::size_t>(g)] = allStates(g);
  }
  animal.coat = {all};
  animal.known = all;
  animal.priors = {};
  if (!keep_sex) {
    animal.sex = Sex::Unspecified;
  }
}

// The records whose evidence cannot be left out: each is forgotten in turn
// and kept forgotten when the file still cannot be true without it.
std::vector<std::size_t> fewestRecords(const Stock& stock, std::uint16_t genes) {
  Stock kept = stock;
  std::vector<std::size_t> needed;
  for (std::size_t a = 0; a < stock.animals.size(); ++a) {
    const StockAnimal before = kept.animals[a];
    forget(kept.animals[a], isParent(stock, a));
    if (possibleOver(kept, genes)) {
      kept.animals[a] = before;
      needed.push_back(a);
    }
  }
  return needed;
}

void appendNumber(std::size_t value, std::u32string& out) {
  appendAscii(std::to_string(value), out);
}

void appendQuoted(std::u32string_view name, std::u32string& out) {
  out += U'"';
  appendShown(name.substr(0, 60), out);
  out += U'"';
}

// A parent of a family: its name, or that it is not recorded.
void appendParent(const Stock& stock, int parent, bool father, Language language,
                  std::u32string& out) {
  if (parent != StockAnimal::kUnknownParent) {
    appendQuoted(stock.animals[static_cast<std::size_t>(parent)].name, out);
    return;
  }
  if (language == Language::English) {
    out += father ? U"an unrecorded father" : U"an unrecorded mother";
  } else {
    out += father ? U"незаписанного отца" : U"незаписанной матери";
  }
}

}  // namespace

std::vector<Contradiction> findContradictions(const Stock& stock) {
  std::vector<Contradiction> found;
  for (std::size_t a = 0; a < stock.animals.size(); ++a) {
    if (stock.animals[a].isFounder()) {
      continue;
    }
    const Stock family = familyOf(stock, a);
    if (possibleOver(family, StockModel::kEveryGene)) {
      continue;
    }
    Contradiction contradiction{Contradiction::Kind::Family, std::nullopt, {a}};
    for (GeneIndex g = 0; g < GeneCount && !contradiction.gene; ++g) {
      if (!possibleOver(family, bitOf(g))) {
        contradiction.gene = g;
      }
    }
    found.push_back(std::move(contradiction));
  }
  if (!found.empty()) {
    return found;
  }
  for (GeneIndex g = 0; g < GeneCount; ++g) {
    if (!possibleOver(stock, bitOf(g))) {
      found.push_back({Contradiction::Kind::Records, g, fewestRecords(stock, bitOf(g))});
    }
  }
  if (found.empty() && !possibleOver(stock, StockModel::kEveryGene)) {
    found.push_back(
        {Contradiction::Kind::Records, std::nullopt, fewestRecords(stock, StockModel::kEveryGene)});
  }
  return found;
}

std::u32string contradictionText(const Stock& stock, const Contradiction& contradiction,
                                 Language language) {
  const bool english = language == Language::English;
  std::u32string text;
  if (contradiction.kind == Contradiction::Kind::Family) {
    const StockAnimal& young = stock.animals[contradiction.animals.front()];
    text += english ? U"line " : U"строка ";
    appendNumber(static_cast<std::size_t>(young.line), text);
    text += english ? U": " : U": у ";
    appendParent(stock, young.father, true, language, text);
    text += english ? U" and " : U" и ";
    appendParent(stock, young.mother, false, language, text);
    text += english ? U" cannot have such a young" : U" не может быть такого детеныша";
  } else {
    if (contradiction.gene) {
      text += geneTitle(*contradiction.gene, language);
      text += U": ";
    }
    text += english ? U"these records cannot all be true: "
                    : U"эти записи не могут быть верны вместе: ";
    for (std::size_t i = 0; i < contradiction.animals.size(); ++i) {
      const StockAnimal& animal = stock.animals[contradiction.animals[i]];
      text += i == 0 ? U"" : U", ";
      if (!animal.name.empty()) {
        appendQuoted(animal.name, text);
        text += U" (";
      }
      text += english ? U"line " : U"строка ";
      appendNumber(static_cast<std::size_t>(animal.line), text);
      if (!animal.name.empty()) {
        text += U')';
      }
    }
    return text;
  }
  if (contradiction.gene) {
    text += U" (";
    text += geneTitle(*contradiction.gene, language);
    text += U')';
  }
  return text;
}

}  // namespace quorvale
