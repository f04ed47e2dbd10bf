#include "phenotype/description.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "phenotype/colour.h"

namespace quorvale {

namespace {

// Each warning line is opener, message 13, the finding, closer.
constexpr std::u32string_view kWarningOpener = U"\n\t!!! ";
constexpr std::u32string_view kWarningCloser = U" !!!";

// A name plus sex suffix fits in this many code points, so the common
// description without warnings is built in a single allocation.
constexpr std::size_t kNameCapacity = 96;

// The undesirable combinations in rule order; bit i of a findings mask
// stands for entry i.
constexpr std::array<MessageId, 5> kFindingMessages = {
    MessageId::HomozygousLightGrey, MessageId::HomozygousDominantSpot, MessageId::DoubleSatin,
    MessageId::YellowDilutedByCream, MessageId::DifferentGreysMixed};

// The undesirable combinations of g as a findings mask.
// REQUIRES: deriveExpressed has run on g.
unsigned findUndesirableCombinations(const Genotype& g) {
  using namespace gene;
  // A single Yellow allele is already diluted by Cream.
  const bool diluted_yellow = (g.alleleCount[to] == 1 || g.alleleCount[to] == 2) && g.expressed[e];
  const int greys = static_cast<int>(g.expressed[lg]) + static_cast<int>(g.expressed[dg]) +
                    static_cast<int>(g.expressed[sg]);
  const std::array<bool, kFindingMessages.size()> found = {
      g.alleleCount[lg] == 2, g.alleleCount[ds] == 2, g.alleleCount[sa] == 2, diluted_yellow,
      greys >= 2};
  unsigned mask = 0;
  for (std::size_t i = 0; i < found.size(); ++i) {
    mask |= static_cast<unsigned>(found[i]) << i;
  }
  return mask;
}

// A DescriptionKey is these fields, one byte each, the first in the lowest.
enum KeyField : int { kBase, kKind, kUmbrous, kPattern, kSatin, kLength, kSexSuffix, kFindings };

std::uint8_t field(DescriptionKey key, KeyField f) {
  return static_cast<std::uint8_t>(key.bits >> (8 * f));
}

void setField(DescriptionKey& key, KeyField f, unsigned value) {
  key.bits |= static_cast<std::uint64_t>(value & 0xFFu) << (8 * f);
}

}  // namespace

DescriptionKey decideDescription(Genotype& g, bool with_warnings, bool with_sex) {
  deriveExpressed(g);
  const ColourName name = decideColourName(g);
  DescriptionKey key;
  setField(key, kBase, static_cast<unsigned>(name.coat.base));
  setField(key, kKind, static_cast<unsigned>(name.coat.kind));
  setField(key, kUmbrous, static_cast<unsigned>(name.umbrous));
  setField(key, kPattern, static_cast<unsigned>(name.pattern));
  setField(key, kSatin, static_cast<unsigned>(name.satin));
  setField(key, kLength, static_cast<unsigned>(name.length));
  // Whites, unnamed colours and lethal combinations never show the sex.
  if (with_sex && name.coat.kind == CoatKind::Coloured) {
    setField(key, kSexSuffix, static_cast<unsigned>(sexOf(g)));
  }
  if (with_warnings) {
    setField(key, kFindings, findUndesirableCombinations(g));
  }
  return key;
}

std::u32string describedLine(DescriptionKey key, Language language) {
  const ColourName name = colourNameOf(key);
  std::u32string text;
  text.reserve(kNameCapacity);
  appendColourName(name, language, text);

  const auto sex = static_cast<Sex>(field(key, kSexSuffix));
  if (sex == Sex::Male) {
    text.append(messageText(MessageId::MaleSuffix, language));
  }
  if (sex == Sex::Female) {
    text.append(messageText(MessageId::FemaleSuffix, language));
  }
  return text;
}

std::vector<std::u32string> describedWarnings(DescriptionKey key, Language language) {
  std::vector<std::u32string> warnings;
  const unsigned findings = field(key, kFindings);
  for (std::size_t i = 0; i < kFindingMessages.size(); ++i) {
    if ((findings >> i & 1u) != 0) {
      std::u32string text(messageText(MessageId::UndesirableCombination, language));
      text.append(messageText(kFindingMessages[i], language));
      warnings.push_back(std::move(text));
    }
  }
  return warnings;
}

std::u32string describedText(DescriptionKey key, Language language) {
  std::u32string text = describedLine(key, language);
  if (field(key, kFindings) != 0) {
    for (const std::u32string& warning : describedWarnings(key, language)) {
      text.append(kWarningOpener);
      text.append(warning);
      text.append(kWarningCloser);
    }
  }
  return text;
}

std::u32string describePhenotype(Genotype& g, bool with_warnings, bool with_sex,
                                 Language language) {
  return describedText(decideDescription(g, with_warnings, with_sex), language);
}

ColourName colourNameOf(DescriptionKey key) {
  ColourName name{coatOf(key)};
  name.umbrous = static_cast<ColourWord>(field(key, kUmbrous));
  name.pattern = static_cast<ColourWord>(field(key, kPattern));
  name.satin = static_cast<ColourWord>(field(key, kSatin));
  name.length = static_cast<ColourWord>(field(key, kLength));
  return name;
}

Sex sexShownOf(DescriptionKey key) { return static_cast<Sex>(field(key, kSexSuffix)); }

DescriptionKey withoutCoatLength(DescriptionKey key) {
  key.bits &= ~(std::uint64_t{0xFF} << (8 * kLength));
  return key;
}

DescriptionKey withoutWarnings(DescriptionKey key) {
  key.bits &= ~(std::uint64_t{0xFF} << (8 * kFindings));
  return key;
}

DescriptionKey withoutSex(DescriptionKey key) {
  key.bits &= ~(std::uint64_t{0xFF} << (8 * kSexSuffix));
  return key;
}

CoatClass coatOf(DescriptionKey key) {
  return {static_cast<BaseColour>(field(key, kBase)), static_cast<CoatKind>(field(key, kKind))};
}

bool listUndesirableCombinations(const Genotype& g, std::vector<MessageId>& findings) {
  const unsigned found = findUndesirableCombinations(g);
  findings.clear();
  for (std::size_t i = 0; i < kFindingMessages.size(); ++i) {
    if ((found >> i & 1u) != 0) {
      findings.push_back(kFindingMessages[i]);
    }
  }
  return found != 0;
}

}  // namespace quorvale
