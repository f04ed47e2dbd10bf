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

// Appends the user's characters in a form safe to show. A control character
// written raw could move the cursor or recolour the terminal (an arrow key
// typed into a word is ESC '[' and a letter), so C0 controls and DEL appear
// in caret notation, the way terminals echo them (NUL "^@", ESC "^[", DEL
// "^?"), and C1 controls, which have no such notation, as U+FFFD, the
// character that already stands for undecodable input. Every other
// character is shown as typed.
void appendShown(std::u32string_view quoted, std::u32string& text) {
  for (const char32_t c : quoted) {
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

}  // namespace

std::u32string genotypeErrorText(const GenotypeError& error, Language language) {
  std::u32string text(messageText(kFaultMessage[static_cast<int>(error.fault)], language));
  appendShown(error.quoted, text);
  if (error.hint) {
    text += messageText(MessageId::SkippedGeneHint, language);
  }
  return text;
}

}  // namespace quorvale
