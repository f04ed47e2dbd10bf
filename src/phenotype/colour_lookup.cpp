#include "phenotype/colour_lookup.h"

#include <algorithm>
#include <array>
#include <climits>
#include <map>
#include <utility>

#include "genetics/genotype_text.h"
#include "phenotype/colour_words.h"
#include "phenotype/description.h"
#include "phenotype/readings.h"

namespace quorvale {

namespace {

constexpr int kBaseRows = BaseColourCount;
constexpr int kWordRows = ColourWordCount - 1;  // every word but None
constexpr int kRows = kBaseRows + kWordRows;

// Mutant alleles as the simplest genotype counts them: a male's To is one.
int alleleCost(const Genotype& g) {
  int cost = 0;
  for (GeneIndex i = 0; i < gene::to; ++i) {
    cost += g.alleleCount[i];
  }
  cost += sexOf(g) == Sex::Male ? g.alleleCount[gene::to] / 2 : g.alleleCount[gene::to];
  return cost;
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

  int least() const { return std::min({of_sex[0].cost, of_sex[1].cost, of_sex[2].cost}); }

  // All simplest genotypes without a sex when one of them is as simple as
  // any; otherwise the simplest male ones, then the simplest female ones.
  // With first_only, the first of each by text.
  std::vector<Genotype> chosen(bool first_only) const {
    const auto& none = of_sex[static_cast<std::size_t>(Sex::Unspecified)];
    const int least = this->least();
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
    for (ColourNameWord& part : colourNameWords(word)) {
      wanted.push_back(std::move(part.folded));
    }
  }
  if (wanted.empty()) {
    return true;
  }
  const std::vector<ColourPhrase> phrases = colourPhrases(/*with_sex_words=*/false);
  for (const Language language : {Language::English, Language::Russian}) {
    // The words of the row's names in this language.
    std::vector<std::u32string> name;
    for (const ColourPhrase& phrase : phrases) {
      const bool base = phrase.slot == LineSlot::Base;
      if (phrase.language == language && base != row.is_word &&
          phrase.value == (base ? static_cast<int>(row.base) : static_cast<int>(row.word))) {
        for (ColourNameWord& word : colourNameWords(phrase.text)) {
          name.push_back(std::move(word.folded));
        }
      }
    }
    const bool all = std::all_of(wanted.begin(), wanted.end(), [&](const std::u32string& w) {
      return std::any_of(name.begin(), name.end(),
                         [&](const std::u32string& n) { return wordsMatch(w, n); });
    });
    if (all) {
      return true;
    }
  }
  return false;
}

namespace {

// The candidate search: the simplest genotypes of the line that fits the
// pattern whose simplest genotype is simplest (ties: the first line by its
// key), in the order Simplest::chosen gives; nothing when none fits.
std::optional<LineLookup> simplestOfLine(const LinePattern& pattern, const LineFit& fit) {
  const bool with_sex = pattern.sex != Sex::Unspecified;
  std::map<std::uint64_t, Simplest> lines;
  forEachReading([&](Genotype& g) {
    const Genotype simple = g;
    const DescriptionKey line = decideDescription(g, false, with_sex);
    if (fitsLine(line, pattern, fit)) {
      lines[line.bits].offer(simple);
    }
  });
  if (lines.empty()) {
    return std::nullopt;
  }
  auto simplest = lines.begin();
  for (auto at = lines.begin(); at != lines.end(); ++at) {
    if (at->second.least() < simplest->second.least()) {
      simplest = at;
    }
  }
  LineLookup found;
  found.line = DescriptionKey{simplest->first};
  found.genotypes = simplest->second.chosen(/*first_only=*/false);
  return found;
}

// The animals that differ from `simple` only in gene i, in each other
// number of copies it can have: with Yellow, only where the sex allows it,
// and both sexes' forms for a genotype without a sex (the line leaves the
// sex open, and a white shows Yellow in neither).
std::vector<Genotype> changedIn(const Genotype& simple, GeneIndex i) {
  std::vector<Genotype> changed;
  const auto add = [&](int count, Sex sex) {
    if (count != simple.alleleCount[i]) {
      Genotype g = simple;
      g.alleleCount[i] = count;
      setSex(g, sex);
      changed.push_back(g);
    }
  };
  if (i != gene::to) {
    add(1, sexOf(simple));
    add(2, sexOf(simple));
    return changed;
  }
  for (const YellowForm& form : kYellowForms) {
    const bool sex_fits = sexOf(simple) == Sex::Unspecified ? form.sex != Sex::Unspecified
                                                            : form.sex == sexOf(simple);
    if (sex_fits && form.count > 0) {
      add(form.count, form.sex);
    }
  }
  return changed;
}

// The may-hide scan: each gene of each simplest genotype changed to each
// other count it may have, with the description (warnings included)
// unchanged, the sex compared only where the line has one.
void scanWhatElse(LineLookup& found) {
  for (const Genotype& simple : found.genotypes) {
    const bool with_sex = sexOf(simple) != Sex::Unspecified;
    Genotype g = simple;
    const DescriptionKey same = decideDescription(g, true, with_sex);
    for (GeneIndex i = 0; i < GeneCount; ++i) {
      for (Genotype& changed : changedIn(simple, i)) {
        const int count = changed.alleleCount[i];
        if (decideDescription(changed, true, with_sex) != same) {
          continue;
        }
        std::uint16_t& genes = simple.alleleCount[i] > 0      ? found.may_double
                               : isRecessive(i) && count == 1 ? found.may_carry
                                                              : found.may_hide;
        genes = static_cast<std::uint16_t>(genes | 1u << i);
      }
    }
  }
  // A gene one simplest genotype has once and another lacks (DE/FE White:
  // cdcdBaba, cdcdrdrd) may be there in any number of copies: hidden.
  found.may_double = static_cast<std::uint16_t>(found.may_double & ~found.may_hide);
}

}  // namespace

std::optional<LineLookup> lookUpLine(const LinePattern& pattern, const LineFit& fit) {
  std::optional<LineLookup> found = simplestOfLine(pattern, fit);
  if (found) {
    scanWhatElse(*found);
  }
  return found;
}

std::u32string lineText(const LineLookup& found, Language language) {
  return firstLine(found.line, language);
}

}  // namespace quorvale
