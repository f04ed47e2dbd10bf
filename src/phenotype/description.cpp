#include "phenotype/description.h"

#include <array>
#include <cstddef>

#include "phenotype/colour.h"

namespace quorvale {

namespace {

// Each warning line is opener, message 13, the finding, closer.
constexpr std::u32string_view kWarningOpener = U"\n\t!!! ";
constexpr std::u32string_view kWarningCloser = U" !!!";

// A name plus sex suffix fits in this many code points, so the common
// description without warnings is built in a single allocation.
constexpr std::size_t kNameCapacity = 96;

// The findings of one animal, held without allocating.
struct Findings {
  std::array<MessageId, 5> ids{};
  std::size_t count = 0;

  void add(MessageId id) { ids[count++] = id; }
};

// The genes whose count, not only whether they show, the description reads:
// the satin words, the silver-grey white, the lethal combinations and their
// warnings, the tortoiseshell and the Yellow diluted by Cream.
constexpr bool kCountRead[GeneCount] = {
    false, false, false, false, false, false, false,  // e dg p a cd rd l
    false, false, true,  true,  true,  true,          // u ba sa sg lg ds
    true,                                             // to
};

Findings findUndesirableCombinations(const Genotype& g) {
  using namespace gene;
  Findings found;
  if (g.alleleCount[lg] == 2) {
    found.add(MessageId::HomozygousLightGrey);
  }
  if (g.alleleCount[ds] == 2) {
    found.add(MessageId::HomozygousDominantSpot);
  }
  if (g.alleleCount[sa] == 2) {
    found.add(MessageId::DoubleSatin);
  }
  // A single Yellow allele is already diluted by Cream.
  if ((g.alleleCount[to] == 1 || g.alleleCount[to] == 2) && g.expressed[e]) {
    found.add(MessageId::YellowDilutedByCream);
  }
  const int greys = static_cast<int>(g.expressed[lg]) + static_cast<int>(g.expressed[dg]) +
                    static_cast<int>(g.expressed[sg]);
  if (greys >= 2) {
    found.add(MessageId::DifferentGreysMixed);
  }
  return found;
}

}  // namespace

std::u32string describePhenotype(Genotype& g, bool with_warnings, bool with_sex,
                                 Language language) {
  deriveExpressed(g);
  std::u32string text;
  text.reserve(kNameCapacity);
  const CoatClass coat = appendCoatColourName(g, language, text);

  // Whites, unnamed colours and lethal combinations never show the sex.
  if (with_sex && coat.kind == CoatKind::Coloured) {
    if (sexOf(g) == Sex::Male) {
      text.append(messageText(MessageId::MaleSuffix, language));
    }
    if (sexOf(g) == Sex::Female) {
      text.append(messageText(MessageId::FemaleSuffix, language));
    }
  }

  if (with_warnings) {
    const Findings found = findUndesirableCombinations(g);
    const std::u32string_view head = messageText(MessageId::UndesirableCombination, language);
    std::size_t size = text.size();
    for (std::size_t i = 0; i < found.count; ++i) {
      size += kWarningOpener.size() + head.size() + messageText(found.ids[i], language).size() +
              kWarningCloser.size();
    }
    text.reserve(size);
    for (std::size_t i = 0; i < found.count; ++i) {
      text.append(kWarningOpener);
      text.append(head);
      text.append(messageText(found.ids[i], language));
      text.append(kWarningCloser);
    }
  }
  return text;
}

std::u32string describePhenotype(Genotype& g, bool with_warnings, bool with_sex) {
  return describePhenotype(g, with_warnings, with_sex, currentLanguage());
}

int describedGeneValue(GeneIndex g, int count) {
  return kCountRead[g] ? count : static_cast<int>(geneShows(g, count));
}

bool listUndesirableCombinations(const Genotype& g, std::vector<MessageId>& findings) {
  const Findings found = findUndesirableCombinations(g);
  findings.assign(found.ids.begin(), found.ids.begin() + static_cast<std::ptrdiff_t>(found.count));
  return found.count != 0;
}

}  // namespace quorvale
