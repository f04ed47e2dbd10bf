#include "stock/stock_file.h"

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

#include "genetics/parser.h"
#include "phenotype/colour_lookup.h"
#include "phenotype/colour_words.h"
#include "stock/coat_boxes.h"
#include "stock/coat_reading.h"
#include "stock/csv.h"
#include "text/utf8.h"

namespace quorvale {

namespace {

enum class Column : std::uint8_t { Name, Sex, Coat, Genes, Father, Mother, Count };
constexpr int kColumnCount = 7;

struct ColumnName {
  std::u32string_view text;
  Column column;
};

constexpr ColumnName kColumnNames[] = {
    {U"name", Column::Name},     {U"имя", Column::Name},    {U"кличка", Column::Name},
    {U"sex", Column::Sex},       {U"пол", Column::Sex},     {U"coat", Column::Coat},
    {U"окрас", Column::Coat},    {U"genes", Column::Genes}, {U"гены", Column::Genes},
    {U"father", Column::Father}, {U"отец", Column::Father}, {U"mother", Column::Mother},
    {U"мать", Column::Mother},   {U"count", Column::Count}, {U"количество", Column::Count},
};

struct SexWord {
  std::u32string_view text;
  Sex sex;
};

constexpr SexWord kSexWords[] = {
    {U"male", Sex::Male},     {U"m", Sex::Male},   {U"самец", Sex::Male},   {U"м", Sex::Male},
    {U"female", Sex::Female}, {U"f", Sex::Female}, {U"самка", Sex::Female}, {U"ж", Sex::Female},
};

bool isBlank(char32_t c) { return c == U' ' || c == U'\t' || c == 0xA0; }

std::u32string trimmed(std::u32string_view text) {
  while (!text.empty() && isBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && isBlank(text.back())) {
    text.remove_suffix(1);
  }
  return std::u32string(text);
}

// The items of the genes column: its words, parted by blanks.
std::vector<std::u32string> itemsOf(std::u32string_view text) {
  std::vector<std::u32string> items;
  std::u32string item;
  for (const char32_t c : std::u32string(text) + U' ') {
    if (isBlank(c)) {
      if (!item.empty()) {
        items.push_back(item);
      }
      item.clear();
    } else {
      item += c;
    }
  }
  return items;
}

// A whole number written in digits alone, up to `most`.
std::optional<std::uint64_t> digitsValue(std::u32string_view text, std::uint64_t most) {
  if (text.empty()) {
    return std::nullopt;
  }
  std::uint64_t value = 0;
  for (const char32_t c : text) {
    if (c < U'0' || c > U'9') {
      return std::nullopt;
    }
    value = value * 10 + (c - U'0');
    if (value > most) {
      return std::nullopt;
    }
  }
  return value;
}

// A chance as a stock file writes it: "2/3", or a per cent with an
// optional decimal point or comma ("50%", "12.5%"); strictly between 0 and
// 1.
std::optional<Ratio> chanceOf(std::u32string_view text) {
  constexpr std::uint64_t kMost = 999'999'999'999;
  std::optional<Ratio> chance;
  if (const std::size_t slash = text.find(U'/'); slash != std::u32string_view::npos) {
    const auto numerator = digitsValue(text.substr(0, slash), kMost);
    const auto denominator = digitsValue(text.substr(slash + 1), kMost);
    if (numerator && denominator && *denominator != 0) {
      chance = ratio(*numerator, *denominator);
    }
  } else if (text.ends_with(U'%')) {
    text.remove_suffix(1);
    const std::size_t point = text.find_first_of(U".,");
    const std::u32string_view whole = text.substr(0, point);
    const std::u32string_view decimals =
        point == std::u32string_view::npos ? std::u32string_view() : text.substr(point + 1);
    const auto whole_value = digitsValue(whole, 100);
    const auto decimal_value =
        decimals.empty() ? std::optional<std::uint64_t>(0) : digitsValue(decimals, kMost);
    if (whole_value && decimal_value && (point == std::u32string_view::npos || !decimals.empty())) {
      std::uint64_t scale = 100;
      for (std::size_t i = 0; i < decimals.size(); ++i) {
        scale *= 10;
      }
      chance = ratio(*whole_value * (scale / 100) + *decimal_value, scale);
    }
  }
  if (!chance || chance->numerator == 0 || chance->numerator >= chance->denominator) {
    return std::nullopt;
  }
  return lowestTerms(*chance);
}

// One item of the genes column read: its gene and state, and the chance
// stated, if any.
struct GeneItem {
  GeneIndex gene = 0;
  int state = 0;
  Sex sex = Sex::Unspecified;  // the sex the pair fixes (Yellow)
  std::optional<Ratio> chance;
};

// Reads an item, or says which fault it has.
std::optional<GeneItem> readItem(const std::u32string& item, Sex sex, StockFaultKind& fault) {
  const std::size_t colon = item.find(U':');
  const std::u32string pair = item.substr(0, colon);
  GeneItem read;
  if (colon != std::u32string::npos) {
    read.chance = chanceOf(item.substr(colon + 1));
    if (!read.chance) {
      fault = StockFaultKind::BadChance;
      return std::nullopt;
    }
  }
  // One gene's pair: its symbol twice, the case of each first letter
  // telling the allele ("Ee", "UU", "toY").
  std::u32string folded = foldedKey(pair);
  std::optional<GeneIndex> gene;
  for (GeneIndex g = 0; g < GeneCount; ++g) {
    const std::string_view symbol = geneSymbol(g);
    std::u32string twice = widenAscii(symbol);
    twice += isSexLinked(g) && folded.ends_with(U'y') ? std::u32string(U"y") : widenAscii(symbol);
    if (folded == twice) {
      gene = g;
    }
  }
  const GenotypeReader reader = readGenotype(pair, sex);
  if (!gene) {
    // Pairs of several genes read as a genotype: one pair an item.
    fault = !reader.failed() && pair != U"--" ? StockFaultKind::TwoGenesInItem
                                              : StockFaultKind::BadGeneItem;
    return std::nullopt;
  }
  if (reader.failed()) {
    // "ToY" for a female, or a four-letter To pair for a male.
    fault = reader.error().fault == GenotypeFault::CannotParse ? StockFaultKind::BadGeneItem
                                                               : StockFaultKind::PairNotOfCoat;
    return std::nullopt;
  }
  read.gene = *gene;
  read.sex = sexOf(reader.genotype());
  read.state =
      stateOf(*gene, reader.genotype().alleleCount[static_cast<std::size_t>(*gene)], read.sex);
  return read;
}

// The known column that a header's text is, or nothing.
std::optional<Column> columnNamed(std::u32string_view text) {
  const std::u32string folded = foldedKey(text);
  for (const ColumnName& name : kColumnNames) {
    if (name.text == folded) {
      return name.column;
    }
  }
  return std::nullopt;
}

// The known column name a header's text is a misspelling of: within 2
// edits, or 1 for names of up to 4 letters ("date" is no "name").
std::optional<std::u32string_view> misspeltColumn(std::u32string_view text) {
  const std::u32string folded = foldedKey(text);
  for (const ColumnName& name : kColumnNames) {
    const int most = name.text.size() <= 4 ? 1 : 2;
    if (damerauDistance(folded, name.text, most) <= most) {
      return name.text;
    }
  }
  return std::nullopt;
}

}  // namespace

StockReading readStockFile(std::string_view bytes) {
  StockReading reading;
  const auto fault = [&](StockFaultKind kind, int line, std::u32string subject = U"",
                         std::u32string value = U"") {
    StockFault found;
    found.kind = kind;
    found.line = line;
    found.subject = std::move(subject);
    found.value = std::move(value);
    reading.faults.push_back(std::move(found));
    return &reading.faults.back();
  };
  const CsvTable table = readCsv(bytes);
  switch (table.fault) {
    case CsvFault::NotUtf8:
      fault(StockFaultKind::NotUtf8, table.fault_line);
      return reading;
    case CsvFault::Utf16:
      fault(StockFaultKind::Utf16, 0);
      return reading;
    case CsvFault::UnclosedQuote:
      fault(StockFaultKind::UnclosedQuote, table.fault_line);
      return reading;
    case CsvFault::Empty:
      fault(StockFaultKind::NoRecords, 0);
      return reading;
    case CsvFault::None:
      break;
  }

  // The header: which field holds which column.
  const CsvRecord& header = table.records.front();
  std::array<std::optional<std::size_t>, kColumnCount> field_of{};
  for (std::size_t i = 0; i < header.fields.size(); ++i) {
    const std::u32string text = trimmed(header.fields[i]);
    if (const std::optional<Column> column = columnNamed(text)) {
      std::optional<std::size_t>& at = field_of[static_cast<std::size_t>(*column)];
      if (at) {
        fault(StockFaultKind::ColumnTwice, header.line, text);
      }
      at = i;
    } else if (const auto like = misspeltColumn(text)) {
      fault(StockFaultKind::ColumnMisspelt, header.line, text, std::u32string(*like));
    }
  }
  if (!field_of[static_cast<std::size_t>(Column::Name)]) {
    fault(StockFaultKind::NoNameColumn, header.line);
  }
  if (table.records.size() == 1) {
    fault(StockFaultKind::NoRecords, 0);
  }
  if (!reading.faults.empty()) {
    return reading;
  }

  // The records, field by field.
  struct Parents {
    std::u32string father;
    std::u32string mother;
  };
  std::vector<Parents> parents;
  std::map<std::u32string, std::vector<GeneBox>> boxes_of_coat;
  for (std::size_t r = 1; r < table.records.size(); ++r) {
    const CsvRecord& record = table.records[r];
    const int line = record.line;
    if (record.fields.size() > header.fields.size()) {
      fault(StockFaultKind::TooManyFields, line);
    }
    const auto field = [&](Column column) {
      const std::optional<std::size_t>& at = field_of[static_cast<std::size_t>(column)];
      return at && *at < record.fields.size() ? trimmed(record.fields[*at]) : std::u32string();
    };
    StockAnimal animal;
    animal.line = line;
    animal.name = field(Column::Name);
    animal.known.fill(0xFF);
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      animal.known[static_cast<std::size_t>(g)] = allStates(g);
    }

    if (const std::u32string sex = field(Column::Sex); !sex.empty()) {
      const auto word = std::find_if(std::begin(kSexWords), std::end(kSexWords),
                                     [&](const SexWord& w) { return w.text == foldedKey(sex); });
      if (word == std::end(kSexWords)) {
        fault(StockFaultKind::BadSex, line, sex);
      } else {
        animal.sex = word->sex;
      }
    }
    if (const std::u32string count = field(Column::Count); !count.empty()) {
      const std::optional<std::uint64_t> value = digitsValue(count, 99);
      if (!value || *value == 0) {
        fault(StockFaultKind::BadCount, line, count);
      } else {
        animal.count = static_cast<int>(*value);
      }
    }
    if (!animal.name.empty() && animal.count != 1) {
      fault(StockFaultKind::NamedCount, line);
    }
    parents.push_back({field(Column::Father), field(Column::Mother)});

    // The coat: the genotypes whose line it is.
    GeneBox coat_allows{};
    for (GeneIndex g = 0; g < GeneCount; ++g) {
      coat_allows[static_cast<std::size_t>(g)] = allStates(g);
    }
    animal.coat = {coat_allows};
    if (const std::u32string coat = field(Column::Coat); !coat.empty()) {
      const CoatReading read = readCoat(coat);
      if (!read.coat) {
        fault(StockFaultKind::UnreadableCoat, line, coat)->coat_error = read.error;
      } else if (read.coat->lethal) {
        fault(StockFaultKind::LethalCoat, line, coat);
      } else {
        if (read.coat->sex != Sex::Unspecified) {
          if (animal.sex == Sex::Unspecified) {
            animal.sex = read.coat->sex;
          } else if (animal.sex != read.coat->sex) {
            fault(StockFaultKind::CoatSexDiffers, line, coat);
          }
        }
        animal.coat_line = read.coat->line;
        auto [at, inserted] = boxes_of_coat.try_emplace(coat);
        if (inserted) {
          at->second = coatBoxes(read.coat->lines);
        }
        animal.coat = at->second;
        coat_allows.fill(0);
        for (const GeneBox& box : animal.coat) {
          for (GeneIndex g = 0; g < GeneCount; ++g) {
            coat_allows[static_cast<std::size_t>(g)] |= box[static_cast<std::size_t>(g)];
          }
        }
      }
    }

    // The genes column: one pair an item.
    std::array<bool, GeneCount> stated{};
    std::vector<GeneItem> chances;
    for (const std::u32string& item : itemsOf(field(Column::Genes))) {
      StockFaultKind kind = StockFaultKind::BadGeneItem;
      const std::optional<GeneItem> read = readItem(item, animal.sex, kind);
      if (!read) {
        fault(kind, line, item);
        continue;
      }
      const auto g = static_cast<std::size_t>(read->gene);
      if (stated[g]) {
        fault(StockFaultKind::GeneTwice, line, item)->gene = read->gene;
        continue;
      }
      stated[g] = true;
      if (animal.sex == Sex::Unspecified) {
        animal.sex = read->sex;
      }
      const StateSet allowed = static_cast<StateSet>(coat_allows[g] & bornStates(read->gene) &
                                                     statesOfSex(read->gene, animal.sex));
      if ((allowed >> read->state & 1u) == 0) {
        fault(StockFaultKind::PairNotOfCoat, line, item);
        continue;
      }
      if (!read->chance) {
        animal.known[g] = static_cast<StateSet>(1u << read->state);
        continue;
      }
      if (!parents.back().father.empty() || !parents.back().mother.empty()) {
        fault(StockFaultKind::ChanceWithParents, line, item);
        continue;
      }
      // The rest of the chance goes to the pair with the fewest mutant
      // alleles that the coat and the sex allow.
      std::optional<int> rest;
      for (int s = 0; s < stateCount(read->gene); ++s) {
        if (s != read->state && (allowed >> s & 1u) != 0 &&
            (!rest || allelesOfState(read->gene, s) < allelesOfState(read->gene, *rest))) {
          rest = s;
        }
      }
      if (!rest) {
        fault(StockFaultKind::ChanceOfOnlyPair, line, item);
        continue;
      }
      animal.priors[g] = GenePrior{read->state, *read->chance, *rest};
    }
    // The coat, the sex and the known genes together: some genotype has
    // them all.
    const bool fits = std::any_of(animal.coat.begin(), animal.coat.end(), [&](const GeneBox& box) {
      for (GeneIndex g = 0; g < GeneCount; ++g) {
        const auto i = static_cast<std::size_t>(g);
        if ((box[i] & animal.known[i] & bornStates(g) & statesOfSex(g, animal.sex)) == 0) {
          return false;
        }
      }
      return true;
    });
    const bool said = !reading.faults.empty() && reading.faults.back().line == line &&
                      reading.faults.back().kind == StockFaultKind::CoatSexDiffers;
    if (!fits && animal.coat_line && !said) {
      fault(StockFaultKind::CoatSexDiffers, line, field(Column::Coat));
    }
    reading.stock.animals.push_back(std::move(animal));
  }

  // The names, and the parents they stand for.
  std::vector<StockAnimal>& animals = reading.stock.animals;
  std::map<std::u32string, std::size_t> by_name;
  for (std::size_t a = 0; a < animals.size(); ++a) {
    if (animals[a].name.empty()) {
      continue;
    }
    const auto [at, inserted] = by_name.try_emplace(animals[a].name, a);
    if (!inserted) {
      fault(StockFaultKind::DuplicateName, animals[a].line, animals[a].name)->other_line =
          animals[at->second].line;
    }
  }
  for (std::size_t a = 0; a < animals.size(); ++a) {
    for (const ParentRole role : {ParentRole::Father, ParentRole::Mother}) {
      const std::u32string& name =
          role == ParentRole::Father ? parents[a].father : parents[a].mother;
      if (name.empty()) {
        continue;
      }
      const auto at = by_name.find(name);
      StockFault* found = nullptr;
      const Sex wanted = role == ParentRole::Father ? Sex::Male : Sex::Female;
      if (at == by_name.end()) {
        found = fault(StockFaultKind::UnknownParent, animals[a].line, name);
      } else if (animals[at->second].sex == Sex::Unspecified) {
        found = fault(StockFaultKind::ParentSexUnknown, animals[a].line, name);
      } else if (animals[at->second].sex != wanted) {
        found = fault(StockFaultKind::ParentOfOtherSex, animals[a].line, name);
      } else {
        (role == ParentRole::Father ? animals[a].father : animals[a].mother) =
            static_cast<int>(at->second);
      }
      if (found != nullptr) {
        found->role = role;
      }
    }
  }
  // No animal is its own ancestor: a walk up from any animal never comes
  // back to an animal still on its path. The walk keeps its own stack, so a
  // file of any depth is walked in constant stack space.
  enum : char { kNotSeen, kOnPath, kDone };
  std::vector<char> seen(animals.size(), kNotSeen);
  std::vector<char> reported(animals.size(), 0);
  for (std::size_t start = 0; start < animals.size(); ++start) {
    if (seen[start] != kNotSeen) {
      continue;
    }
    // Each entry: an animal and how many of its parents are walked.
    std::vector<std::pair<std::size_t, int>> path{{start, 0}};
    seen[start] = kOnPath;
    while (!path.empty()) {
      auto& [a, walked] = path.back();
      if (walked == 2) {
        seen[a] = kDone;
        path.pop_back();
        continue;
      }
      const int p = walked++ == 0 ? animals[a].father : animals[a].mother;
      if (p < 0) {
        continue;
      }
      const auto parent = static_cast<std::size_t>(p);
      if (seen[parent] == kOnPath && reported[parent] == 0) {
        reported[parent] = 1;
        fault(StockFaultKind::OwnAncestor, animals[parent].line, animals[parent].name);
      } else if (seen[parent] == kNotSeen) {
        seen[parent] = kOnPath;
        path.emplace_back(parent, 0);
      }
    }
  }
  std::stable_sort(reading.faults.begin(), reading.faults.end(),
                   [](const StockFault& a, const StockFault& b) { return a.line < b.line; });
  return reading;
}

}  // namespace quorvale
