// Fuzz target: a stock file of any bytes.
//
// The bytes are a stock file. Reading it never fails but by faults, each
// worded in both languages on one line; a file without faults is planned,
// and, when its plan is within the bound, summed: then either it cannot be
// true (and its contradictions are found and worded) or every named
// animal's every gene has a state with a chance, the chances of a gene's
// states add up to exactly 1, and the answer is written in both languages.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "stock/contradiction.h"
#include "stock/inference.h"
#include "stock/stock_answer.h"
#include "stock/stock_file.h"
#include "text/string_output.h"

namespace {

using quorvale::Language;

bool oneLine(const std::u32string& text) {
  return !text.empty() && text.find(U'\n') == std::u32string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const quorvale::StockReading reading = quorvale::readStockFile(bytes);
  for (const quorvale::StockFault& fault : reading.faults) {
    for (const Language language : {Language::English, Language::Russian}) {
      FUZZ_REQUIRE(oneLine(quorvale::stockFaultText(fault, language)));
    }
  }
  if (!reading.faults.empty()) {
    return 0;
  }
  const quorvale::Stock& stock = reading.stock;
  const quorvale::StockModel model(stock);
  // Larger files are refused before any sum; keep the fuzzer quick.
  if (model.cost() > 20000) {
    return 0;
  }
  const auto weights = model.weights();
  if (!weights) {
    const auto contradictions = quorvale::findContradictions(stock);
    FUZZ_REQUIRE(!contradictions.empty());
    for (const auto& c : contradictions) {
      FUZZ_REQUIRE(oneLine(quorvale::contradictionText(stock, c, Language::Russian)));
    }
    return 0;
  }
  for (std::size_t a = 0; a < stock.animals.size(); ++a) {
    if (stock.animals[a].name.empty()) {
      continue;
    }
    for (quorvale::GeneIndex g = 0; g < quorvale::GeneCount; ++g) {
      const quorvale::GeneAnswer gene = quorvale::geneAnswer(g, (*weights)[a]);
      FUZZ_REQUIRE(!gene.states.empty() && !gene.states.front().possible);
      quorvale::Ratio sum{0, 1};
      for (const quorvale::StateAnswer& state : gene.states) {
        if (!state.possible) {
          sum = {
              sum.numerator * state.chance.denominator + state.chance.numerator * sum.denominator,
              sum.denominator * state.chance.denominator};
        }
      }
      FUZZ_REQUIRE(sum.numerator == sum.denominator);
    }
  }
  const auto answers = quorvale::stockAnswers(stock, *weights, {});
  for (const Language language : {Language::English, Language::Russian}) {
    quorvale::StringOutput out;
    quorvale::writeStockText(stock, answers, language, out);
  }
  return 0;
}
