#include "text/genotype_error.h"

#include <iterator>
#include <string_view>

#include "text/messages.h"
#include "text/utf8.h"

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

void appendShown(std::u32string_view typed, std::u32string& text) {
  for (const char32_t c : typed) {
    if (c < 0x20) {
      text += U'^';
      text += static_cast<char32_t>(c + 0x40);
    } else if (c == 0x7F) {
      text += U"^?";
    } else if (c >= 0x80 && c <= 0x9F) {
      text += kReplacementCharacter;
    } else {
      text += c;
    }
  }
}

std::u32string genotypeErrorText(const GenotypeError& error, Language language) {
  std::u32string text(messageText(kFaultMessage[static_cast<int>(error.fault)], language));
  appendShown(error.quoted, text);
  if (error.hint) {
    text += messageText(MessageId::SkippedGeneHint, language);
  }
  return text;
}

std::u32string genotypeErrorLine(const GenotypeError& error, Language language) {
  std::u32string text = genotypeErrorText(error, language);
  if (text.starts_with(U'\n')) {
    text.erase(0, 1);
  }
  for (char32_t& c : text) {
    if (c == U'\n') {
      c = U' ';
    }
  }
  return text;
}

}  // namespace quorvale
