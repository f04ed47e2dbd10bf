#include "text/genotype_error.h"

#include <iterator>

#include "text/messages.h"

namespace quorvale {

namespace {

// The catalogue message of each fault, in the order of GenotypeFault.
constexpr MessageId kFaultMessage[] = {
    MessageId::CannotParse,
    MessageId::RepeatedGene,
    MessageId::YInFemale,
    MessageId::OneToInMale,
};
static_assert(static_cast<int>(GenotypeFault::OneToInMale) + 1 == std::size(kFaultMessage));

}  // namespace

std::u32string genotypeErrorText(const GenotypeError& error, Language language) {
  std::u32string text(messageText(kFaultMessage[static_cast<int>(error.fault)], language));
  text += error.quoted;
  if (error.hint) {
    text += messageText(MessageId::SkippedGeneHint, language);
  }
  return text;
}

std::u32string genotypeErrorText(const GenotypeError& error) {
  return genotypeErrorText(error, currentLanguage());
}

}  // namespace quorvale
