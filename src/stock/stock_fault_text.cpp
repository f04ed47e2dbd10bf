// The words of a stock file's faults, in both languages.

#include <string>

#include "phenotype/colour_answers.h"
#include "stock/coat_reading.h"
#include "stock/stock_file.h"
#include "text/genotype_error.h"
#include "text/utf8.h"

namespace quorvale {

namespace {

// Each fault is "line N: " (when it has a line), its text before the
// subject, the subject in quotes, its text after it, the value or the other
// line, and its text at the end.
struct FaultWords {
  std::u32string_view before;
  std::u32string_view after;  // after the quoted subject
  std::u32string_view end;    // after the value or the other line
};

constexpr int kFaultKinds = static_cast<int>(StockFaultKind::ChanceOfOnlyPair) + 1;

// Rows by Language, columns by StockFaultKind.
constexpr FaultWords kFaultWords[LanguageCount][kFaultKinds] = {
    {
        {U"the file is not UTF-8 text; in the spreadsheet, save it as \"CSV UTF-8\"", U"", U""},
        {U"the file is UTF-16 text; in the spreadsheet, save it as \"CSV UTF-8\"", U"", U""},
        {U"a field opened with a quote is never closed", U"", U""},
        {U"the file has no records after its header", U"", U""},
        {U"the header has no column of names (name)", U"", U""},
        {U"the column ", U" comes twice", U""},
        {U"the column ", U" is not known; did you mean ", U"?"},
        {U"more fields than the header has", U"", U""},
        {U"the sex ", U" is none of male, female, m, f, самец, самка, м, ж", U""},
        {U"the count ", U" is not a whole number from 1 to 99", U""},
        {U"a named animal is one animal: its count is 1", U"", U""},
        {U"the name ", U" is already on line ", U""},
        {U"the ", U" is no animal of the file", U""},
        {U"the ", U" is of the other sex", U""},
        {U"the ", U" has no sex recorded", U""},
        {U"", U" is its own ancestor", U""},
        {U"coat: ", U"", U""},
        {U"the coat ", U" is a lethal combination of genes, which is never born", U""},
        {U"the coat ", U" does not fit the sex or the genes recorded", U""},
        {U"genes: ", U" is not one gene pair of the notation", U""},
        {U"genes: ", U" holds more than one gene; write one pair an item", U""},
        {U"genes: ", U" states a gene a second time", U""},
        {U"genes: ", U": a chance is stated only for an animal without recorded parents", U""},
        {U"genes: ",
         U": a chance is a fraction a/b or a per cent, above 0 and below 1 "
         U"(66% is 33/50; two thirds are 2/3)",
         U""},
        {U"genes: ", U" does not fit the animal's coat or sex", U""},
        {U"genes: ", U": its coat leaves no other pair for the rest of the chance", U""},
    },
    {
        {U"файл не в кодировке UTF-8; сохраните его в таблице как \"CSV UTF-8\"", U"", U""},
        {U"файл в кодировке UTF-16; сохраните его в таблице как \"CSV UTF-8\"", U"", U""},
        {U"поле, открытое кавычкой, не закрыто", U"", U""},
        {U"в файле нет записей после заголовка", U"", U""},
        {U"в заголовке нет столбца имен (имя)", U"", U""},
        {U"столбец ", U" указан дважды", U""},
        {U"столбец ", U" неизвестен; может быть, ", U"?"},
        {U"полей больше, чем в заголовке", U"", U""},
        {U"пол ", U" - не самец, самка, м, ж, male, female, m, f", U""},
        {U"количество ", U" - не целое число от 1 до 99", U""},
        {U"животное с именем - одно животное: его количество 1", U"", U""},
        {U"имя ", U" уже есть в строке ", U""},
        {U"", U" нет в файле", U""},
        {U"", U" другого пола", U""},
        {U"", U": пол не указан", U""},
        {U"", U" - сам себе предок", U""},
        {U"окрас: ", U"", U""},
        {U"окрас ", U" - нежизнеспособное сочетание ген, такие не рождаются", U""},
        {U"окрас ", U" не подходит к указанному полу или генам", U""},
        {U"гены: ", U" - не пара генов", U""},
        {U"гены: ", U" - больше одного гена; пишите по одной паре", U""},
        {U"гены: ", U" - второй раз о том же гене", U""},
        {U"гены: ", U": вероятность указывается только для животного без записанных родителей",
         U""},
        {U"гены: ",
         U": вероятность - дробь a/b или процент, больше 0 и меньше 1 "
         U"(66% - это 33/50; две трети - 2/3)",
         U""},
        {U"гены: ", U" не подходит к окрасу или полу животного", U""},
        {U"гены: ", U": окрас не оставляет другой пары для остальной вероятности", U""},
    },
};

// Who a parent fault is about: "father" or "mother" in English; in Russian
// the parent's word in the case its sentence takes.
std::u32string_view roleWord(const StockFault& fault, Language language) {
  const bool father = fault.role == ParentRole::Father;
  if (language == Language::English) {
    return father ? U"father " : U"mother ";
  }
  switch (fault.kind) {
    case StockFaultKind::UnknownParent:
      return father ? U"отца " : U"матери ";
    case StockFaultKind::ParentSexUnknown:
      return father ? U"у отца " : U"у матери ";
    default:
      return father ? U"отец " : U"мать ";
  }
}

void appendQuoted(std::u32string_view text, std::u32string& out) {
  out += U'"';
  appendShown(text.substr(0, 60), out);
  if (text.size() > 60) {
    out += U'…';
  }
  out += U'"';
}

void appendNumber(int value, std::u32string& out) { appendAscii(std::to_string(value), out); }

}  // namespace

std::u32string stockFaultText(const StockFault& fault, Language language) {
  const FaultWords& words = kFaultWords[static_cast<int>(language)][static_cast<int>(fault.kind)];
  std::u32string text;
  if (fault.line > 0) {
    text += language == Language::English ? U"line " : U"строка ";
    appendNumber(fault.line, text);
    text += U": ";
  }
  text += words.before;
  const bool about_parent = fault.kind == StockFaultKind::UnknownParent ||
                            fault.kind == StockFaultKind::ParentOfOtherSex ||
                            fault.kind == StockFaultKind::ParentSexUnknown;
  if (about_parent) {
    text += roleWord(fault, language);
  }
  if (!words.after.empty()) {
    appendQuoted(fault.subject, text);
    text += words.after;
  }
  if (fault.kind == StockFaultKind::DuplicateName) {
    appendNumber(fault.other_line, text);
  } else if (!fault.value.empty()) {
    appendQuoted(fault.value, text);
  }
  text += words.end;
  if (fault.coat_error) {
    text += colourLineErrorText(fault.subject, *fault.coat_error, kCoatFit, language);
  }
  return text;
}

}  // namespace quorvale
