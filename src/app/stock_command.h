#ifndef QUORVALE_APP_STOCK_COMMAND_H_
#define QUORVALE_APP_STOCK_COMMAND_H_

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/arguments.h"
#include "console/platform.h"
#include "text/language.h"
#include "text/output.h"

namespace quorvale {

// How the command line reads a file: platform::readFile, or a stand-in in
// tests.
using FileReader =
    std::function<platform::FileRead(std::string_view path, std::size_t most, std::string* bytes)>;

// The most a stock file may hold: far more than any breeder's records.
inline constexpr std::size_t kMostStockFileBytes = std::size_t{16} << 20;

// `stock FILE [NAME...]`: every named animal of the file, or the ones
// named, with its genes as the file tells them (stock/stock_answer.h).
// Returns the exit status; each line for standard error goes to
// error_lines.
int runStock(const Invocation& invocation, Language language, const FileReader& read_file,
             Output& out, std::vector<std::u32string>& error_lines);

// `litter --stock FILE MALE FEMALE`: the litter of two animals of the
// file, by name (stock/stock_litter_report.h).
int runStockLitter(const Invocation& invocation, Language language, const FileReader& read_file,
                   Output& out, std::vector<std::u32string>& error_lines);

// `prove FILE NAME [GENE...]`: the test matings of an animal of the file
// (stock/prove.h), for the genes named or every gene it may carry.
int runProve(const Invocation& invocation, Language language, const FileReader& read_file,
             Output& out, std::vector<std::u32string>& error_lines);

// `litter MALE FEMALE` where a word that is no genotype is a colour line:
// the litter of two founders known by their coats (or one by its genotype,
// with nothing possible beyond it), as a stock of two. Returns the exit
// status.
int runColourLitter(const Invocation& invocation, Language language, Output& out,
                    std::vector<std::u32string>& error_lines);

}  // namespace quorvale

#endif  // QUORVALE_APP_STOCK_COMMAND_H_
