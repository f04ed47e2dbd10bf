#include "testing/simplest.h"

#include <algorithm>
#include <climits>
#include <functional>

#include "genetics/genotype.h"
#include "phenotype/colour_lookup.h"
#include "phenotype/description.h"

namespace quorvale {

std::vector<std::u32string> simplestByBruteForce(std::u32string_view line, int most_alleles) {
  struct Found {
    int cost = INT_MAX;
    std::vector<std::u32string> texts;
  };
  // By Sex code.
  Found exact[3];
  Found unsexed[3];
  const auto offer = [](Found& found, int cost, const Genotype& g) {
    if (cost < found.cost) {
      found = {cost, {}};
    }
    if (cost == found.cost) {
      found.texts.push_back(lookupText(g));
    }
  };
  const auto first_line = [](Genotype g, bool with_sex, Language language) {
    const std::u32string text = describePhenotype(g, false, with_sex, language);
    return text.substr(0, text.find(U'\n'));
  };
  const std::u32string wanted(line);
  Genotype g;
  std::function<void(GeneIndex, int)> walk = [&](GeneIndex i, int left) {
    if (i < gene::to) {
      for (int count = 0; count <= std::min(2, left); ++count) {
        g.alleleCount[i] = count;
        walk(i + 1, left - count);
      }
      g.alleleCount[i] = 0;
      return;
    }
    // Yellow: none written, a male without or with To, a female with 0 to
    // 2 To alleles.
    const struct {
      Sex sex;
      int count;
      int cost;
    } forms[] = {{Sex::Unspecified, 0, 0}, {Sex::Male, 0, 0},   {Sex::Male, 2, 1},
                 {Sex::Female, 0, 0},      {Sex::Female, 1, 1}, {Sex::Female, 2, 2}};
    int cost = most_alleles - left;
    for (const auto& form : forms) {
      if (form.cost > left) {
        continue;
      }
      g.alleleCount[gene::to] = form.count;
      setSex(g, form.sex);
      for (const Language language : {Language::English, Language::Russian}) {
        const auto sex = static_cast<std::size_t>(form.sex);
        if (first_line(g, true, language) == wanted) {
          offer(exact[sex], cost + form.cost, g);
        } else if (first_line(g, false, language) == wanted) {
          offer(unsexed[sex], cost + form.cost, g);
        }
      }
    }
    g.alleleCount[gene::to] = 0;
    setSex(g, Sex::Unspecified);
  };
  walk(0, most_alleles);
  const bool any_exact =
      std::any_of(exact, exact + 3, [](const Found& f) { return !f.texts.empty(); });
  const Found* found = any_exact ? exact : unsexed;
  // Without a sex when that is as simple as any; else the simplest of each
  // sex.
  std::vector<std::u32string> texts;
  const int least = std::min({found[0].cost, found[1].cost, found[2].cost});
  for (std::size_t sex = 0; sex < 3; ++sex) {
    if (found[0].cost == least && sex != 0) {
      break;
    }
    texts.insert(texts.end(), found[sex].texts.begin(), found[sex].texts.end());
  }
  std::sort(texts.begin(), texts.end());
  texts.erase(std::unique(texts.begin(), texts.end()), texts.end());
  return texts;
}

}  // namespace quorvale
