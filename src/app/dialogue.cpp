#include "app/dialogue.h"

#include <optional>
#include <string>

#include "genetics/parser.h"
#include "litter/report.h"
#include "phenotype/animal.h"
#include "tasks/task.h"
#include "tasks/task_number.h"
#include "text/language.h"
#include "text/messages.h"

namespace quorvale {

namespace {

// The banner and the language question are the same in both languages: the
// language is not known yet when they are written.
constexpr std::string_view kBanner = "Quorvale: Syrian Hamster Genetics. \n\n";
constexpr std::string_view kLanguageQuestion = "Russian/English (r/e)?   ";

// The answers to the language question; only these two lower-case letters
// count, anything else asks again.
struct LanguageAnswer {
  char32_t key;
  Language language;
};
constexpr LanguageAnswer kLanguageAnswers[] = {
    {U'e', Language::English},
    {U'r', Language::Russian},
};

// What the first character of a menu word asks for; any other character
// just shows the menu again.
enum class MenuAction { ColorFromGenotype, PredictLitter, RandomTask, EasyRandomTask, Exit, None };

struct MenuEntry {
  char32_t key;
  MenuAction action;
};
constexpr MenuEntry kMenu[] = {
    {U'1', MenuAction::ColorFromGenotype},
    {U'2', MenuAction::PredictLitter},
    {U'3', MenuAction::RandomTask},
    {U'4', MenuAction::EasyRandomTask},
    {U'5', MenuAction::Exit},
};

MenuAction menuAction(char32_t first) {
  for (const MenuEntry& entry : kMenu) {
    if (entry.key == first) {
      return entry.action;
    }
  }
  return MenuAction::None;
}

// Asks the language question until one of the two answers comes. Nothing
// when the input ends first.
std::optional<Language> askLanguage(Console& console) {
  for (;;) {
    console.out().writeAscii(kLanguageQuestion);
    const std::optional<char32_t> answer = console.readChar();
    if (!answer) {
      return std::nullopt;
    }
    for (const LanguageAnswer& a : kLanguageAnswers) {
      if (a.key == *answer) {
        return a.language;
      }
    }
  }
}

// Hands the characters of a word to one of the program's readers (a
// genotype, a task number, a menu choice): anything with
// `bool feed(char32_t)` that says when it has seen enough. So no answer is
// ever held whole.
template <typename Reader>
class FeedTo final : public WordConsumer {
 public:
  explicit FeedTo(Reader& reader) : reader_(reader) {}
  bool take(char32_t c) override { return reader_.feed(c); }

 private:
  Reader& reader_;
};

// Reads a word into reader. Returns false at the end of input.
template <typename Reader>
bool readWord(Console& console, Reader& reader) {
  FeedTo<Reader> feed(reader);
  return console.readWord(feed);
}

// Of a menu word only the first character counts; the rest is skipped.
struct MenuChoice {
  char32_t first = 0;
  bool feed(char32_t c) {
    first = c;
    return false;
  }
};

// One run of the dialogue: the console and the language the user chose,
// which every answer is written in.
struct Dialogue {
  Console& console;
  Language currentLanguage = Language::English;

  // Writes a prompt from the catalogue and reads the answer word into
  // reader. Returns false at the end of input.
  template <typename Reader>
  bool ask(MessageId prompt, Reader& reader) {
    console.out().write(messageText(prompt, currentLanguage));
    return readWord(console, reader);
  }

  // Menu option 1: the description line and the carrier line of one
  // genotype, or the parser's message. Returns false when the input ended
  // before the genotype.
  bool colourFromGenotype() {
    GenotypeReader genotype(Sex::Unspecified);
    if (!ask(MessageId::GenotypePrompt, genotype)) {
      return false;
    }
    genotype.finish();
    console.out().write(colourAnswer(genotype, currentLanguage));
    return true;
  }

  // Menu option 2: asks for the male's genotype, then the female's, and
  // writes the litter report. Returns false when the input ended before
  // both answers.
  bool predictLitter() {
    // The male is always asked first. Each word is parsed as it is read,
    // and only the outcome is kept; nothing is written before both words
    // have been read.
    GenotypeReader male(Sex::Male);
    if (!ask(MessageId::MalePrompt, male)) {
      return false;
    }
    male.finish();
    GenotypeReader female(Sex::Female);
    if (!ask(MessageId::FemalePrompt, female)) {
      return false;
    }
    female.finish();
    quorvale::predictLitter(male, female, currentLanguage, console.out());
    return true;
  }

  // Menu options 3 and 4 (easy): asks for a task number until one other
  // than 0 is given, shows the two parents of that exercise, waits for a
  // key and writes the litter report as the answer. Returns false when the
  // input ended before a task number was given.
  bool randomTask(bool easy) {
    std::int32_t number = 0;
    while (number == 0) {
      TaskNumberReader reader;
      if (!ask(MessageId::TaskNumberPrompt, reader)) {
        return false;
      }
      number = reader.value();
    }
    const TaskParents parents = parentTexts(taskAnimals(number, easy));

    Output& out = console.out();
    out.writeAscii("\n");
    out.write(taskLine(parents));
    out.writeAscii("\n\n");
    out.write(messageText(MessageId::PressAnyKey, currentLanguage));
    console.waitForKey();
    out.writeAscii("\n");
    quorvale::predictLitter(parents.male, parents.female, currentLanguage, out);
    return true;
  }

  // Runs the action of one menu choice. Returns false when the input ended
  // during it.
  bool runMenuAction(MenuAction action) {
    switch (action) {
      case MenuAction::ColorFromGenotype:
        return colourFromGenotype();
      case MenuAction::PredictLitter:
        return predictLitter();
      case MenuAction::RandomTask:
        return randomTask(/*easy=*/false);
      case MenuAction::EasyRandomTask:
        return randomTask(/*easy=*/true);
      case MenuAction::Exit:
      case MenuAction::None:
        return true;
    }
    return true;
  }

  // The language question (which sets the language of the run), then the
  // menu until option 5. Returns false when the input ended first.
  bool converse() {
    const std::optional<Language> language = askLanguage(console);
    if (!language) {
      return false;
    }
    currentLanguage = *language;

    for (;;) {
      console.out().write(messageText(MessageId::MenuPrompt, currentLanguage));
      MenuChoice choice;
      if (!readWord(console, choice)) {
        return false;
      }
      // A word is never empty, so it always has a first character.
      const MenuAction action = menuAction(choice.first);
      if (action == MenuAction::Exit) {
        return true;
      }
      // A word that is no option only brings the menu back; the next read
      // flushes it if it has to wait, so piped input full of such words
      // costs no system call per word.
      if (action == MenuAction::None) {
        continue;
      }
      const bool input_continues = runMenuAction(action);
      console.flush();
      if (!input_continues) {
        return false;
      }
    }
  }
};

}  // namespace

int runDialogue(Console& console) {
  console.out().writeAscii(kBanner);
  Dialogue dialogue{console};
  if (!dialogue.converse()) {
    console.inputEnded();
  }
  return 0;
}

}  // namespace quorvale
