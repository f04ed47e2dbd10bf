#include "text/genotype_error.h"

#include <iterator>
#include <string_view>

#include "text/messages.h"
#include "text/phrases.h"
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

// The blanks of Unicode (White_Space): a word of only these is empty.
bool isBlank(char32_t c) {
  return (c >= U'\t' && c <= U'\r') || c == U' ' || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
         c == 0x3000;
}

}  // namespace

bool isEmptyGenotype(std::u32string_view word) {
  for (const char32_t c : word) {
    if (!isBlank(c)) {
      return false;
    }
  }
  return true;
}

std::u32string_view emptyGenotypeText(Language language) {
  return phraseText(PhraseId::EmptyGenotype, language);
}

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
  // The dialogue's message without its line feed and its "Error: ", which
  // the role before it on an error line makes needless.
  constexpr std::u32string_view kErrorWord[LanguageCount] = {U"Error: ", U"Ошибка: "};
  std::u32string_view message = messageText(kFaultMessage[static_cast<int>(error.fault)], language);
  if (message.starts_with(U'\n')) {
    message.remove_prefix(1);
  }
  if (message.starts_with(kErrorWord[static_cast<int>(language)])) {
    message.remove_prefix(kErrorWord[static_cast<int>(language)].size());
  }
  std::u32string text(message);
  appendShown(error.quoted, text);
  if (error.hint) {
    // The hint as a sentence of its own.
    std::u32string_view hint = messageText(MessageId::SkippedGeneHint, language);
    if (hint.starts_with(U'\n')) {
      hint.remove_prefix(1);
    }
    text += U". ";
    text += hint;
  }
  return text;
}

}  // namespace quorvale
