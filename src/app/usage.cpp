#include "app/usage.h"

#include <cstddef>

#include "text/genotype_error.h"

namespace quorvale {

namespace {

// Rows by Language.
constexpr std::u32string_view kHelp[LanguageCount] = {
    UR"(Usage: quorvale                           the dialogue
       quorvale [OPTIONS] color GENOTYPE...
       quorvale [OPTIONS] litter MALE FEMALE
       quorvale [OPTIONS] litter --stock FILE MALE FEMALE
       quorvale [OPTIONS] task NUMBER...
       quorvale [OPTIONS] colors [WORDS...]
       quorvale [OPTIONS] genotypes COLOUR LINE
       quorvale [OPTIONS] stock FILE [NAME...]
       quorvale [OPTIONS] prove FILE NAME [GENE...]
       quorvale --help | --version
Coat-colour genetics of the Syrian hamster: the colour of a genotype, the
litter of a pairing, breeding exercises. Without arguments the program is
the dialogue on the terminal.

Commands:
  color GENOTYPE...      each animal's colour, and its hidden and carried
                         genes, as the dialogue's option 1 (also: colour)
  litter MALE FEMALE     the parents, the pairing's warnings and the groups
                         of the litter with their exact shares; a parent
                         that is no genotype is a colour line (SH Black),
                         an animal known only by its coat
  task NUMBER...         the exercise of each task number, and its answer
  colors [WORDS...]      the colours, each with a simplest genotype that
                         gives it; with words, those whose names hold them
                         (also: colours)
  genotypes COLOUR LINE  the simplest genotypes of a colour line, typed as
                         breeders write it (Black Banded), and what such an
                         animal may also hide or carry
  stock FILE [NAME...]   every animal of a stock file (a spreadsheet's CSV
                         of coats, parents and litters), or those named,
                         with the exact chance of each state of its genes
  prove FILE NAME [GENE...]  test matings for an animal of the file: for
                         each gene it may carry or hide (or those named),
                         the mates that reveal it and how many young
                         without it prove it is not there

Options:
  --lang en|ru           the language of the answers; without it, Russian
                         when LC_ALL, LC_MESSAGES or LANG (the first one
                         set) starts with "ru", otherwise English
  --members              litter, task: each group's genotypes too, as the
                         dialogue lists them
  --percent              litter, task: each group's share in per cent, and
                         when some young are lethal, its share of the young
                         that are born and a line with the lethal share
  --pups N               litter, task: in a litter of N born young (1 to
                         99), the chance of at least one of each group, and
                         how many of them on average; prove: the young of
                         a litter (8 without it)
  --carriers             litter, task: under each group, the share of its
                         young that hide or carry each gene
  --sort share|text      litter, task: the groups by share, largest first,
                         or in the report's order (the default)
  --stock FILE           litter: MALE and FEMALE are names of animals of
                         the stock file, and the litter is worked out from
                         all it records
  --possible one|all     litter of animals not fully known: the young more
                         unseen alleles could give, those that need one
                         (the default) or all
  --confidence P         prove: the confidence in per cent (0 to 100, such
                         as 99.9); may be given several times, and replaces
                         95, 99 and 99.9
  --find WORDS           litter: only the groups of a colour, typed as
                         breeders write it (Black Tortoiseshell), and a
                         line with the figures of all of them together
  --easy                 task: the easy exercise (two genes, not seven)
  --no-answer            task: the parents only, for an exercise sheet
  --json                 the answer as one JSON document
  -h, --help             this help
  --version              the version and the licence

A genotype is one word of gene symbols, such as eeDgdgUu or ToY; the word --
is the all-wild hamster (never the end of the options). A task number is a
whole number other than 0: the same number gives the same exercise as the
dialogue's options 3 and 4.

Exit status: 0 done; 1 a genotype or task number that is not valid, no
colour that matches, or a stock file that cannot be read or has faults; 2 a
usage error; 3 the output could not be written.
The manual page (man quorvale) explains the notation and every word of the
answers.
)",
    UR"(Использование: quorvale                   диалог
       quorvale [ПАРАМЕТРЫ] color ГЕНОТИП...
       quorvale [ПАРАМЕТРЫ] litter САМЕЦ САМКА
       quorvale [ПАРАМЕТРЫ] litter --stock ФАЙЛ САМЕЦ САМКА
       quorvale [ПАРАМЕТРЫ] task НОМЕР...
       quorvale [ПАРАМЕТРЫ] colors [СЛОВА...]
       quorvale [ПАРАМЕТРЫ] genotypes СТРОКА ОКРАСА
       quorvale [ПАРАМЕТРЫ] stock ФАЙЛ [ИМЯ...]
       quorvale [ПАРАМЕТРЫ] prove ФАЙЛ ИМЯ [ГЕН...]
       quorvale --help | --version
Генетика окраса сирийского хомяка: окрас по генотипу, окрасы потомства
пары, учебные задачи. Без аргументов программа ведет диалог в терминале.

Команды:
  color ГЕНОТИП...       окрас каждого животного, перекрытые и носимые гены,
                         как в пункте 1 диалога (также colour)
  litter САМЕЦ САМКА     родители, предупреждения о паре и группы окрасов
                         потомства с точными долями; родитель, который не
                         генотип, - строка окраса (черный КШ), животное,
                         известное только по окрасу
  task НОМЕР...          задача с каждым номером и ее ответ
  colors [СЛОВА...]      окрасы, каждый с простейшим генотипом, который его
                         дает; со словами - те, в названии которых они есть
                         (также colours)
  genotypes СТРОКА ОКРАСА  простейшие генотипы строки окраса, набранной, как
                         ее пишут заводчики (черный с поясом), и что такое
                         животное может еще перекрывать или носить
  stock ФАЙЛ [ИМЯ...]    все животные из файла с животными (CSV из таблицы
                         с окрасами, родителями и пометами) или названные,
                         с точной вероятностью каждого состояния их генов
  prove ФАЙЛ ИМЯ [ГЕН...]  проверочные вязки для животного из файла: для
                         каждого гена, который оно может носить или
                         перекрывать (или для названных), партнеры, которые
                         его открывают, и сколько детенышей без него
                         доказывают, что его нет

Параметры:
  --lang en|ru           язык ответов; без него - русский, если LC_ALL,
                         LC_MESSAGES или LANG (первая заданная) начинается
                         с "ru", иначе английский
  --members              litter, task: также генотипы каждой группы, как
                         в диалоге
  --percent              litter, task: доля каждой группы в процентах, а если
                         часть потомства нежизнеспособна, ее доля среди
                         родившихся и строка с долей нежизнеспособных
  --pups N               litter, task: в помете из N родившихся (от 1 до 99)
                         вероятность хотя бы одного детеныша каждой группы
                         и их число в среднем; prove: детенышей в помете
                         (без него 8)
  --carriers             litter, task: под каждой группой доля ее потомства,
                         у которой перекрыт или которая носит каждый ген
  --sort share|text      litter, task: группы по доле, начиная с наибольшей,
                         или в порядке отчета (по умолчанию)
  --stock ФАЙЛ           litter: САМЕЦ и САМКА - имена животных из файла с
                         животными, и помет считается по всем его записям
  --possible one|all     litter животных, известных не полностью: потомство,
                         которое могли бы дать невидимые аллели, - те, кому
                         нужен один (по умолчанию), или все
  --confidence P         prove: уверенность в процентах (от 0 до 100,
                         например 99.9); можно указать несколько раз,
                         заменяет 95, 99 и 99.9
  --find СЛОВА           litter: только группы одного окраса, набранного,
                         как его пишут заводчики (черный черепаховый), и
                         строка с показателями всех их вместе
  --easy                 task: легкая задача (два гена вместо семи)
  --no-answer            task: только родители, для листа с задачами
  --json                 ответ одним документом JSON
  -h, --help             эта справка
  --version              версия и лицензия

Генотип - одно слово из символов генов, например eeDgdgUu или ToY; слово --
означает хомяка без мутантных генов (а не конец параметров). Номер задачи -
целое число, кроме 0: один и тот же номер дает ту же задачу, что и пункты
3 и 4 диалога.

Код возврата: 0 - готово; 1 - неверный генотип или номер задачи, нет
такого окраса или файл с животными не читается или содержит ошибки;
2 - ошибка в командной строке; 3 - не удалось записать вывод.
Нотация и все слова ответов описаны в справочной странице (man quorvale).
)",
};

constexpr std::u32string_view kVersion =
    U"quorvale " QUORVALE_VERSION U"\nCopyright (c) 2026 The Quorvale authors. MIT licence.\n";

constexpr std::u32string_view kCannotWrite[LanguageCount] = {
    U"quorvale: cannot write to standard output",
    U"quorvale: не удается записать в стандартный вывод",
};

constexpr std::u32string_view kHint[LanguageCount] = {
    U"Try 'quorvale --help' for more information.",
    U"Подробнее: quorvale --help",
};

// The parts of each usage error's line around what it quotes: before the
// subject, and between the subject and the value.
struct ErrorWords {
  std::u32string_view before;
  std::u32string_view between;
};

constexpr int kUsageFaultCount = static_cast<int>(UsageFault::WrongNumberOfWords) + 1;

// Rows by Language, columns by UsageFault. WrongNumberOfWords has a line of
// its own for each command that has a number of words (kWordCounts); the
// one here stands for any other. OptionNotFor ends with the command's name.
constexpr ErrorWords kErrors[LanguageCount][kUsageFaultCount] = {
    {
        {U"no command: the command is color, litter, task, colors or genotypes", U""},
        {U"unknown command: ", U""},
        {U"unknown option: ", U""},
        {U"option ", U" needs a value"},
        {U"bad value for ", U": "},
        {U"option ", U" does not go with the command "},
        {U"wrong number of words for the command ", U""},
    },
    {
        {U"не указана команда: color, litter, task, colors или genotypes", U""},
        {U"неизвестная команда: ", U""},
        {U"неизвестный параметр: ", U""},
        {U"параметру ", U" нужно значение"},
        {U"недопустимое значение ", U": "},
        {U"параметр ", U" не относится к команде "},
        {U"не то число слов для команды ", U""},
    },
};

// Rows by Language, columns by Command: the line of a command given the
// wrong number of words, or nothing for the generic line of kErrors.
constexpr std::u32string_view kWordCounts[LanguageCount][CommandCount] = {
    {
        U"",                                                           // None
        U"color takes one genotype or more",                           // Color
        U"litter takes two genotypes: the male's, then the female's",  // Litter
        U"task takes one task number or more",                         // Task
        U"",                                                           // Colors
        U"genotypes takes a colour line, such as: SH Black Banded",    // Genotypes
        U"",                                                           // Stock
        U"prove takes a stock file and an animal's name, then genes",  // Prove
    },
    {
        U"",                                                              // None
        U"color: нужен хотя бы один генотип",                             // Color
        U"litter: нужны два генотипа: сначала самца, затем самки",        // Litter
        U"task: нужен хотя бы один номер задачи",                         // Task
        U"",                                                              // Colors
        U"genotypes: нужна строка окраса, например: черный с поясом КШ",  // Genotypes
        U"",                                                              // Stock
        U"prove: нужны файл с животными и имя животного, затем гены",     // Prove
    },
};

// A word of the command line as an error quotes it: safe to show, and cut
// short, as a word can be as long as the system allows.
void appendQuoted(std::u32string_view word, std::u32string& out) {
  constexpr std::size_t kMostQuoted = 40;
  appendShown(word.substr(0, kMostQuoted), out);
  if (word.size() > kMostQuoted) {
    out += U"...";
  }
}

}  // namespace

std::u32string_view helpText(Language language) { return kHelp[static_cast<int>(language)]; }

std::u32string_view versionText() { return kVersion; }

std::u32string_view usageHint(Language language) { return kHint[static_cast<int>(language)]; }

std::u32string_view cannotWriteText(Language language) {
  return kCannotWrite[static_cast<int>(language)];
}

std::u32string usageErrorText(const UsageError& error, Language language) {
  const int row = static_cast<int>(language);
  if (error.fault == UsageFault::WrongNumberOfWords) {
    const std::u32string_view line = kWordCounts[row][static_cast<int>(error.command)];
    if (!line.empty()) {
      return std::u32string(line);
    }
  }
  const ErrorWords& words = kErrors[row][static_cast<int>(error.fault)];
  std::u32string text(words.before);
  appendQuoted(error.subject, text);
  text += words.between;
  const bool names_command =
      error.fault == UsageFault::OptionNotFor || error.fault == UsageFault::WrongNumberOfWords;
  appendQuoted(names_command ? commandName(error.command) : std::u32string_view(error.value), text);
  return text;
}

}  // namespace quorvale
