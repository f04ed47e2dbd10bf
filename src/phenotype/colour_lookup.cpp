#include "phenotype/colour_lookup.h"

#include <algorithm>
#include <array>
#include <climits>
#include <map>
#include <unordered_map>
#include <utility>

#include "genetics/genotype_text.h"
#include "phenotype/description.h"

namespace quorvale {

namespace {

constexpr int kBaseRows = BaseColourCount;
constexpr int kWordRows = ColourWordCount - 1;  // every word but None
constexpr int kRows = kBaseRows + kWordRows;

// What the description reads of gene g, each reading at the least count
// that gives it: for most genes whether it shows (none, or the fewest
// alleles that show it), for the genes whose count it reads, each count.
std::vector<int> readingsOf(GeneIndex g) {
  std::vector<int> counts;
  std::vector<int> values;
  for (int count = 0; count <= 2; ++count) {
    const int value = describedGeneValue(g, count);
    if (std::find(values.begin(), values.end(), value) == values.end()) {
      values.push_back(value);
      counts.push_back(count);
    }
  }
  return counts;
}

// Yellow, which also decides the sex: nothing written (no sex), and each
// count a male and a female can have.
struct YellowForm {
  Sex sex;
  int count;
};
constexpr YellowForm kYellowForms[] = {
    {Sex::Unspecified, 0}, {Sex::Male, 0},   {Sex::Male, 2},
    {Sex::Female, 0},      {Sex::Female, 1}, {Sex::Female, 2},
};

// Mutant alleles as the simplest genotype counts them: a male's To is one.
int alleleCost(const Genotype& g) {
  int cost = 0;
  for (GeneIndex i = 0; i < gene::to; ++i) {
    cost += g.alleleCount[i];
  }
  cost += sexOf(g) == Sex::Male ? g.alleleCount[gene::to] / 2 : g.alleleCount[gene::to];
  return cost;
}

// Calls visit(Genotype&) with the simplest genotype of every reading of the
// description, its sex set and nothing derived.
template <typename Visit>
void forEachReading(Visit visit) {
  std::array<std::vector<int>, gene::to> readings;
  for (GeneIndex g = 0; g < gene::to; ++g) {
    readings[g] = readingsOf(g);
  }
  std::array<std::size_t, gene::to> digit{};
  for (;;) {
    Genotype g;
    for (GeneIndex i = 0; i < gene::to; ++i) {
      g.alleleCount[i] = readings[i][digit[i]];
    }
    for (const YellowForm& form : kYellowForms) {
      g.alleleCount[gene::to] = form.count;
      setSex(g, form.sex);
      visit(g);
    }
    GeneIndex i = gene::to - 1;
    for (; i >= 0 && ++digit[i] == readings[i].size(); --i) {
      digit[i] = 0;
    }
    if (i < 0) {
      return;
    }
  }
}

// The simplest genotypes found so far of one kind, for each sex.
struct Simplest {
  struct OfSex {
    int cost = INT_MAX;
    std::vector<Genotype> genotypes;
  };
  std::array<OfSex, 3> of_sex;  // by Sex code

  void offer(const Genotype& g) {
    OfSex& best = of_sex[static_cast<std::size_t>(sexOf(g))];
    const int cost = alleleCost(g);
    if (cost < best.cost) {
      best.cost = cost;
      best.genotypes.clear();
    }
    if (cost == best.cost) {
      best.genotypes.push_back(g);
    }
  }

  // All simplest genotypes without a sex when one of them is as simple as
  // any; otherwise the simplest male ones, then the simplest female ones.
  // With first_only, the first of each by text.
  std::vector<Genotype> chosen(bool first_only) const {
    const auto& none = of_sex[static_cast<std::size_t>(Sex::Unspecified)];
    const int least = std::min({of_sex[0].cost, of_sex[1].cost, of_sex[2].cost});
    std::vector<Genotype> result;
    for (const Sex sex : {Sex::Unspecified, Sex::Male, Sex::Female}) {
      const OfSex& best = of_sex[static_cast<std::size_t>(sex)];
      if (best.genotypes.empty() || (none.cost == least && sex != Sex::Unspecified)) {
        continue;
      }
      std::vector<std::pair<std::u32string, Genotype>> by_text;
      for (const Genotype& g : best.genotypes) {
        by_text.emplace_back(lookupText(g), g);
      }
      std::sort(by_text.begin(), by_text.end(),
                [](const auto& a, const auto& b) { return a.first < b.first; });
      for (std::size_t i = 0; i < by_text.size() && (i == 0 || !first_only); ++i) {
        result.push_back(by_text[i].second);
      }
    }
    return result;
  }
};

// The words of a name for matching: folded, split at blanks, tabs and
// slashes.
std::vector<std::u32string> nameWords(std::u32string_view name) {
  std::vector<std::u32string> words;
  std::u32string word;
  for (const char32_t c : foldedKey(name) + U' ') {
    if (c == U' ' || c == U'\t' || c == U'/') {
      if (!word.empty()) {
        words.push_back(word);
      }
      word.clear();
    } else {
      word += c;
    }
  }
  return words;
}

bool isCyrillic(char32_t c) { return c >= 0x400 && c <= 0x4FF; }

std::uint16_t genesOf(const std::vector<Genotype>& genotypes) {
  std::uint16_t genes = 0;
  for (const Genotype& g : genotypes) {
    for (GeneIndex i = 0; i < GeneCount; ++i) {
      if (g.alleleCount[i] != 0) {
        genes = static_cast<std::uint16_t>(genes | 1u << i);
      }
    }
  }
  return genes;
}

// Row `index` of the table (the base colours, then the words), without its
// genotypes.
ColourRow rowAt(int index) {
  ColourRow row;
  row.is_word = index >= kBaseRows;
  if (row.is_word) {
    row.word = static_cast<ColourWord>(index - kBaseRows + 1);
  } else {
    row.base = static_cast<BaseColour>(index);
  }
  return row;
}

// The first line of a description (its colour name and sex suffix, without
// warning lines) in the given language.
std::u32string firstLine(DescriptionKey key, Language language) {
  std::u32string text = describedText(key, language);
  return text.substr(0, text.find(U'\n'));
}

}  // namespace

std::u32string lowerCased(std::u32string_view text) {
  std::u32string lower(text);
  for (char32_t& c : lower) {
    // Latin capitals, and the Cyrillic ones from А to Я, lie 0x20 below
    // their small letters.
    if ((c >= U'A' && c <= U'Z') || (c >= 0x410 && c <= 0x42F)) {
      c += 0x20;
    } else if (c == 0x401 || c == 0x451) {  // Ё, ё
      c = 0x435;                            // е
    }
  }
  return lower;
}

std::u32string foldedKey(std::u32string_view text) {
  std::u32string folded = lowerCased(text);
  for (std::size_t i = 0; i < folded.size(); ++i) {
    const bool next_to_cyrillic = (i > 0 && isCyrillic(folded[i - 1])) ||
                                  (i + 1 < folded.size() && isCyrillic(folded[i + 1]));
    if (folded[i] == U'c' && next_to_cyrillic) {
      folded[i] = 0x441;  // с
    }
  }
  return folded;
}

std::u32string lookupText(const Genotype& g) {
  std::u32string text = genotypeText(g);
  std::u32string_view sex_only;
  if (g.alleleCount[gene::to] == 0 && sexOf(g) == Sex::Male) {
    sex_only = U"toY";
  } else if (g.alleleCount[gene::to] == 0 && sexOf(g) == Sex::Female) {
    sex_only = U"toto";
  }
  if (!sex_only.empty()) {
    text = text == U"--" ? std::u32string(sex_only) : text + std::u32string(sex_only);
  }
  return text;
}

std::vector<ColourRow> colourTable() {
  std::array<Simplest, kRows> simplest;
  forEachReading([&](Genotype& g) {
    const Genotype simple = g;
    const ColourName name = colourNameOf(decideDescription(g, false, false));
    simplest[static_cast<std::size_t>(name.coat.base)].offer(simple);
    for (const ColourWord word : {name.umbrous, name.pattern, name.satin, name.length}) {
      if (word != ColourWord::None) {
        simplest[kBaseRows + static_cast<std::size_t>(word) - 1].offer(simple);
      }
    }
  });
  std::vector<ColourRow> table;
  for (int i = 0; i < kRows; ++i) {
    ColourRow row = rowAt(i);
    row.genotypes = simplest[static_cast<std::size_t>(i)].chosen(/*first_only=*/true);
    row.genes = genesOf(row.genotypes);
    table.push_back(std::move(row));
  }
  return table;
}

std::u32string rowName(const ColourRow& row, Language language) {
  if (!row.is_word) {
    return std::u32string(baseColourText(row.base, language));
  }
  std::u32string_view text = colourWordText(row.word, language);
  while (!text.empty() && text.front() == U' ') {
    text.remove_prefix(1);
  }
  while (!text.empty() && text.back() == U' ') {
    text.remove_suffix(1);
  }
  return std::u32string(text);
}

std::vector<const ColourRow*> sortedRows(const std::vector<ColourRow>& table, Language language) {
  std::vector<std::pair<std::u32string, const ColourRow*>> keyed;
  keyed.reserve(table.size());
  for (const ColourRow& row : table) {
    keyed.emplace_back(foldedKey(rowName(row, language)) + U'\0' + rowName(row, Language::English),
                       &row);
  }
  std::sort(keyed.begin(), keyed.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<const ColourRow*> rows;
  rows.reserve(keyed.size());
  for (const auto& [key, row] : keyed) {
    rows.push_back(row);
  }
  return rows;
}

bool rowMatches(const ColourRow& row, std::span<const std::u32string> words) {
  std::vector<std::u32string> wanted;
  for (const std::u32string& word : words) {
    for (std::u32string& part : nameWords(word)) {
      wanted.push_back(std::move(part));
    }
  }
  for (const Language language : {Language::English, Language::Russian}) {
    const std::vector<std::u32string> name = nameWords(rowName(row, language));
    const bool all = std::all_of(wanted.begin(), wanted.end(), [&](const std::u32string& w) {
      return std::find(name.begin(), name.end(), w) != name.end();
    });
    if (all) {
      return true;
    }
  }
  return false;
}

namespace {

// The row whose name, in either language, text is (folded).
std::optional<int> rowNamed(std::u32string_view text) {
  const std::u32string folded = foldedKey(text);
  for (int i = 0; i < kRows; ++i) {
    const ColourRow row = rowAt(i);
    for (const Language language : {Language::English, Language::Russian}) {
      if (foldedKey(rowName(row, language)) == folded) {
        return i;
      }
    }
  }
  return std::nullopt;
}

}  // namespace

bool isColourName(std::u32string_view text) { return rowNamed(text).has_value(); }

std::optional<LineLookup> lookUpLine(std::u32string_view line) {
  // How close a line the program writes is to the wanted one: 0 as typed,
  // 1 but for case (and ё), 2 read as foldedKey reads both; nothing when it
  // is another line. The Russian Ivory BE and BE Ivory differ only in the
  // Latin c of the first, so the closest line is the one meant.
  const std::u32string as_typed(line);
  const std::u32string lower = lowerCased(line);
  const std::u32string folded = foldedKey(line);
  const auto closeness = [&](std::u32string_view text) -> std::optional<int> {
    if (text == as_typed) {
      return 0;
    }
    if (lowerCased(text) == lower) {
      return 1;
    }
    if (foldedKey(text) == folded) {
      return 2;
    }
    return std::nullopt;
  };
  // Worked out once per decided line: the closer of its two languages.
  std::unordered_map<std::uint64_t, std::optional<int>> close;
  const auto match = [&](DescriptionKey key) {
    auto [at, inserted] = close.try_emplace(key.bits);
    if (inserted) {
      for (const Language language : {Language::English, Language::Russian}) {
        const std::optional<int> c = closeness(firstLine(key, language));
        if (c && (!at->second || *c < *at->second)) {
          at->second = c;
        }
      }
    }
    return at->second;
  };
  // The candidates of each line that matches: as option 1 writes it, sex
  // and all; and, for when none does, without its sex suffix.
  struct Candidates {
    int closeness = 0;
    Simplest simplest;
  };
  std::map<std::uint64_t, Candidates> exact;
  std::map<std::uint64_t, Candidates> unsexed;
  forEachReading([&](Genotype& g) {
    const Genotype simple = g;
    const DescriptionKey with_sex = decideDescription(g, false, true);
    if (const std::optional<int> c = match(with_sex)) {
      Candidates& candidates = exact[with_sex.bits];
      candidates.closeness = *c;
      candidates.simplest.offer(simple);
      return;
    }
    const DescriptionKey without_sex = decideDescription(g, false, false);
    if (const std::optional<int> c = match(without_sex)) {
      Candidates& candidates = unsexed[without_sex.bits];
      candidates.closeness = *c;
      candidates.simplest.offer(simple);
    }
  });
  const std::map<std::uint64_t, Candidates>& lines = exact.empty() ? unsexed : exact;
  if (lines.empty()) {
    // A colour's name alone ("Sable", "Banded") stands for the line of the
    // simplest genotype that has it ("SH Sable", "SH Golden Banded").
    const std::optional<int> row = rowNamed(line);
    if (!row) {
      return std::nullopt;
    }
    Genotype simple = colourTable()[static_cast<std::size_t>(*row)].genotypes.front();
    return lookUpLine(firstLine(decideDescription(simple, false, false), Language::English));
  }
  auto closest = lines.begin();
  for (auto at = lines.begin(); at != lines.end(); ++at) {
    if (at->second.closeness < closest->second.closeness) {
      closest = at;
    }
  }
  LineLookup found;
  found.line = DescriptionKey{closest->first};
  found.genotypes = closest->second.simplest.chosen(/*first_only=*/false);

  // What else such an animal may have: each gene of each simplest genotype
  // changed to another count that it is present in, with the description
  // (warnings included) unchanged.
  for (const Genotype& simple : found.genotypes) {
    Genotype g = simple;
    const DescriptionKey same = decideDescription(g, true, true);
    for (GeneIndex i = 0; i < GeneCount; ++i) {
      // Yellow is written only where the sex is known: a male has To or not.
      if (i == gene::to && sexOf(simple) == Sex::Unspecified) {
        continue;
      }
      for (int count = 1; count <= 2; ++count) {
        if (count == simple.alleleCount[i] ||
            (i == gene::to && sexOf(simple) == Sex::Male && count == 1)) {
          continue;
        }
        Genotype changed = simple;
        changed.alleleCount[i] = count;
        if (decideDescription(changed, true, true) != same) {
          continue;
        }
        std::uint16_t& genes = isRecessive(i) && count == 1 ? found.may_carry : found.may_hide;
        genes = static_cast<std::uint16_t>(genes | 1u << i);
      }
    }
  }
  return found;
}

std::u32string lineText(const LineLookup& found, Language language) {
  return firstLine(found.line, language);
}

}  // namespace quorvale
