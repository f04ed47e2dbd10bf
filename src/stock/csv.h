#ifndef QUORVALE_STOCK_CSV_H_
#define QUORVALE_STOCK_CSV_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvale {

// A table of text as spreadsheets save it, "comma-separated values" (RFC
// 4180): fields parted by a separator, records by line ends (CRLF or LF), a
// field in double quotes may hold separators, line ends and doubled quotes.
// The file is UTF-8, with or without a byte-order mark. The separator is
// the one of ';', ',' and TAB that stands unquoted in the first record (a
// Russian-locale spreadsheet writes ';'), the most frequent of them when
// several do.

struct CsvRecord {
  int line = 0;  // the line the record begins on, from 1
  std::vector<std::u32string> fields;
};

// Why a text is not read as a table.
enum class CsvFault : std::uint8_t {
  None,
  NotUtf8,        // line: the first line with a byte that is not UTF-8
  Utf16,          // saved as UTF-16 ("Unicode text")
  UnclosedQuote,  // line: where the quoted field begins
  Empty,          // no record at all
};

struct CsvTable {
  CsvFault fault = CsvFault::None;
  int fault_line = 0;
  // The records in order, the first being the header; records with no
  // text at all (empty lines) are left out.
  std::vector<CsvRecord> records;
};

CsvTable readCsv(std::string_view bytes);

}  // namespace quorvale

#endif  // QUORVALE_STOCK_CSV_H_
