#ifndef QUORVALE_STOCK_STOCK_FILE_H_
#define QUORVALE_STOCK_STOCK_FILE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "phenotype/colour_line.h"
#include "stock/stock.h"
#include "text/language.h"

namespace quorvale {

// A stock file: a breeder's records of animals as a spreadsheet saves them
// (stock/csv.h), one record a line, with a header naming the columns, in
// any order, in English or Russian, case and blanks around them aside:
//
//   name (имя, кличка)    unique; empty for young recorded only as evidence
//   sex (пол)             male, female, m, f, самец, самка, м, ж, or empty
//                         (not known: only for an animal that is no one's
//                         parent)
//   coat (окрас)          the colour line, without its warnings; without SH
//                         or LH the coat length is not known
//   genes (гены)          what is known beyond the coat: "Ee" for certain,
//                         "EE" known not to; "Ee:2/3" or "Ee:50%" a chance,
//                         only for an animal without recorded parents
//   father, mother (отец, мать)   names of the file, or empty: an unknown
//                         founder of this record's own
//   count (количество)    1 to 99 young of the record: same parents, sex and
//                         coat; 1 for a named animal
//
// Other columns are left alone, but one within 2 edits of a known name (1
// for names of up to 4 letters) is taken for a misspelling of it, since
// ignoring it would drop what it records.

// What is wrong with a stock file, one fault each.
enum class StockFaultKind : std::uint8_t {
  NotUtf8,            // the line of the first byte that is not UTF-8
  Utf16,              // the file is UTF-16
  UnclosedQuote,      // the line of the quote that is not closed
  NoRecords,          // no header, or no record after it
  NoNameColumn,       // the header names no column of names
  ColumnTwice,        // subject: the column
  ColumnMisspelt,     // subject: the header's text; value: the column it resembles
  TooManyFields,      // the record has more fields than the header
  BadSex,             // subject: the text
  BadCount,           // subject: the text
  NamedCount,         // a named animal with a count other than 1
  DuplicateName,      // subject: the name; other_line: where it was first
  UnknownParent,      // subject: the name; role
  ParentOfOtherSex,   // subject: the name; role
  ParentSexUnknown,   // subject: the name; role
  OwnAncestor,        // subject: the name
  UnreadableCoat,     // subject: the text
  LethalCoat,         // a coat no young that is born has
  CoatSexDiffers,     // the coat does not fit the sex (or suffix) or the genes recorded
  BadGeneItem,        // subject: the item
  TwoGenesInItem,     // subject: the item
  GeneTwice,          // subject: the item; gene
  ChanceWithParents,  // subject: the item
  BadChance,          // subject: the item
  PairNotOfCoat,      // subject: the item: its coat, sex or the other genes exclude it
  ChanceOfOnlyPair,   // subject: the item: its coat leaves it no other pair
};

// The parent a fault is about.
enum class ParentRole : std::uint8_t { Father, Mother };

struct StockFault {
  StockFaultKind kind = StockFaultKind::NoRecords;
  int line = 0;  // the record's first line in the file; 0 for the whole file
  std::u32string subject;
  std::u32string value;
  int other_line = 0;
  ParentRole role = ParentRole::Father;
  GeneIndex gene = 0;
  // UnreadableCoat: why the coat is no colour line.
  std::optional<ColourLineError> coat_error;
};

struct StockReading {
  Stock stock;
  // Every fault found; the stock is not to be used when there is any.
  std::vector<StockFault> faults;
};

// Reads a stock file's bytes.
StockReading readStockFile(std::string_view bytes);

// The fault as one line, without the file's name and without a line end:
// "line 12: the father "Rex" is female".
std::u32string stockFaultText(const StockFault& fault, Language language);

}  // namespace quorvale

#endif  // QUORVALE_STOCK_STOCK_FILE_H_
