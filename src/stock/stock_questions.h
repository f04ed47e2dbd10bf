#ifndef QUORVALE_STOCK_STOCK_QUESTIONS_H_
#define QUORVALE_STOCK_STOCK_QUESTIONS_H_

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "genetics/genotype.h"
#include "litter/report.h"
#include "stock/prove.h"
#include "stock/stock.h"
#include "stock/stock_answer.h"
#include "stock/stock_litter_report.h"
#include "text/language.h"

namespace quorvale {

// What a front end asks of a stock, from the file's bytes to the answers,
// with every fault worded, so that the command line and the web page read
// the same file, the same names and the same parent words alike. A fault
// is one line without the program's or the file's name and without a line
// end; the front end says where it comes from.

// The stock of a file's bytes, or the faults of its records.
struct StockRead {
  std::optional<Stock> stock;
  std::vector<std::u32string> faults;  // when there is no stock
};
StockRead readStock(std::string_view bytes, Language language);

// Why a stock that reads cannot be answered: its sums would cost too much,
// or its records cannot all be true (where they go wrong). Empty when it
// can be worked out.
std::vector<std::u32string> unworkableStock(const Stock& stock, Language language);

// The answers of `stock` (stock/stock_answer.h) for the animals chosen
// (every named one when none is), or the faults of unworkableStock.
struct StockAnswersRead {
  std::vector<AnimalAnswer> answers;
  std::vector<std::u32string> faults;
};
StockAnswersRead answerStock(const Stock& stock, std::span<const std::size_t> chosen,
                             Language language);

// The named animal (names compared exactly), or nothing and the fault.
std::optional<std::size_t> animalNamed(const Stock& stock, std::u32string_view name,
                                       Language language, std::u32string& fault);

// A parent of a litter from the stock: the named animal, recorded with the
// parent's sex; or nothing and the fault.
std::optional<std::size_t> parentNamed(const Stock& stock, std::u32string_view name, Sex sex,
                                       Language language, std::u32string& fault);

// An animal of the stock as a litter's report shows it: its name and coat.
ShownParent shownAnimal(const StockAnimal& animal, Language language);

// The litter of two parents of a stock (stockLitter), or the fault that
// keeps it from being worked out.
struct StockLitterRead {
  std::optional<StockLitterReport> report;
  std::u32string fault;
};
StockLitterRead litterOfStock(const Stock& stock, std::size_t male, std::size_t female,
                              ShownParent male_shown, ShownParent female_shown,
                              const ReportOptions& options, bool all_possible, Language language);

// The litter of two animals of a stock, by name: the parents found, the
// stock checked, the litter worked out; or the faults, each a line.
struct NamedLitterRead {
  std::optional<StockLitterReport> report;
  std::vector<std::u32string> faults;
  Sex failed = Sex::Unspecified;  // the parent whose name is at fault, if one is
};
NamedLitterRead litterOfNamed(const Stock& stock, std::u32string_view male,
                              std::u32string_view female, const ReportOptions& options,
                              bool all_possible, Language language);

// The litter of two parents given as words, as the command line and the
// page's Litter view take them: each word a genotype if it parses, else a
// colour line, read as a founder known by its coat (a genotype word is a
// founder with every gene as written, nothing possible beyond), and the
// two as a stock of two. When a word is neither, the fault says both
// readings' faults ("did you mean" included), or the lines a name of
// several colours fits.
struct WordsLitterRead {
  std::optional<StockLitterReport> report;
  std::vector<std::u32string> faults;
  Sex failed = Sex::Unspecified;  // the parent whose word is at fault, if one is
};
WordsLitterRead litterOfWords(std::u32string_view male, std::u32string_view female,
                              const ReportOptions& options, bool all_possible, Language language);

// The test matings of an animal of a stock, by name (stock/prove.h): the
// animal found, the stock checked, the matings worked out; or the faults,
// each a line.
struct ProveRead {
  std::optional<std::size_t> animal;
  ProveWork work;
  std::vector<std::u32string> faults;
};
ProveRead proveNamed(const Stock& stock, std::u32string_view name, const ProveOptions& options,
                     Language language);

}  // namespace quorvale

#endif  // QUORVALE_STOCK_STOCK_QUESTIONS_H_
