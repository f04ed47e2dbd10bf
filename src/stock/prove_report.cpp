#include "stock/prove_report.h"

#include <string>
#include <string_view>

#include "genetics/genotype_text.h"
#include "phenotype/description.h"
#include "stock/stock_answer.h"
#include "stock/stock_litter_report.h"
#include "text/decimal.h"
#include "text/json.h"
#include "text/messages.h"
#include "text/utf8.h"

namespace quorvale {

namespace {

struct ProveWords {
  std::u32string_view possible;
  std::u32string_view odds;
  std::u32string_view not_in_file;
  std::u32string_view reveals;
  std::u32string_view no_mate;
  std::u32string_view if_none;
  std::u32string_view never_alone;
  std::u32string_view not_within;
  std::u32string_view nothing;
};

constexpr ProveWords kWords[LanguageCount] = {
    {U": possible", U"odds by the young recorded: \u00d7 ", U", not in the file", U"reveals ",
     U"no mate reveals it", U"if none reveals it: ", U"never by this mate alone: ",
     U"not within 10000 young or 100 mates", U"\tnothing to test: every gene shown is proved"},
    {U": возможно", U"шансы по записанным детенышам: \u00d7 ", U", не из файла", U"открывает ",
     U"ни один партнер этого не откроет", U"если ни один не откроет: ",
     U"одним этим партнером никогда; ", U"не за 10000 детенышей или 100 партнеров",
     U"\tпроверять нечего: все показанные гены доказаны"},
};

const ProveWords& words(Language language) { return kWords[static_cast<int>(language)]; }

void appendNumber(std::uint64_t n, std::u32string& text) { appendAscii(std::to_string(n), text); }

// A factor as a fraction, or as a decimal when its parts are too long to
// read.
void appendFactor(const Ratio& r, Language language, std::u32string& text) {
  const FractionDigits digits = lowestTermsDigits(r);
  if (digits.numerator.size() > 12 || digits.denominator.size() > 12) {
    text += decimalText(r, 4, language);
    return;
  }
  appendAscii(digits.numerator, text);
  if (digits.denominator != "1") {
    text += U'/';
    appendAscii(digits.denominator, text);
  }
}

// "5 young, 1 litter of 8" / "детенышей: 5, пометов по 8: 1".
void appendYoung(std::uint64_t young, std::uint64_t litters, int pups, Language language,
                 std::u32string& text) {
  if (language == Language::English) {
    appendNumber(young, text);
    text += U" young, ";
    appendNumber(litters, text);
    text += litters == 1 ? U" litter of " : U" litters of ";
    appendNumber(static_cast<std::uint64_t>(pups), text);
    return;
  }
  text += U"детенышей: ";
  appendNumber(young, text);
  text += U", пометов по ";
  appendNumber(static_cast<std::uint64_t>(pups), text);
  text += U": ";
  appendNumber(litters, text);
}

// "6 such mates, a litter of 8 each (5 leave 5.04 %)".
void appendMates(const MateFigures& f, const Confidence& confidence, int pups, Language language,
                 std::u32string& text) {
  const bool english = language == Language::English;
  if (!english) {
    text += U"таких партнеров: ";
  }
  appendNumber(*f.mates, text);
  text += english ? (*f.mates == 1 ? U" such mate, a litter of " : U" such mates, a litter of ")
                  : U", по помету из ";
  appendNumber(static_cast<std::uint64_t>(pups), text);
  text += english ? U" each (" : U" у каждого (";
  if (!english) {
    text += U"при ";
  }
  appendNumber(*f.mates - 1, text);
  text += english ? U" leave " : U" остается ";
  text += percentBeside(*f.fewer_miss, confidence.miss, language);
  text += U')';
}

std::u32string confidenceText(const Confidence& c, Language language) {
  std::u32string text;
  for (const char ch : c.label) {
    text += ch == '.' && language == Language::Russian ? U',' : static_cast<char32_t>(ch);
  }
  text += U" %";
  return text;
}

}  // namespace

void writeProveText(const Stock& stock, std::size_t animal, const ProveWork& work,
                    const ProveOptions& options, Language language, Output& out) {
  const ProveWords& w = words(language);
  const StockAnimal& tested = stock.animals[animal];
  std::u32string text = animalLine(tested, language);
  text += U'\n';
  if (work.states.empty()) {
    text += w.nothing;
    text += U'\n';
  }
  for (const TestedState& state : work.states) {
    text += U'\t';
    text += geneTitle(state.gene, language);
    text += U'\t';
    text += stateWord(tested, state.gene, state.state, language);
    if (state.possible) {
      text += w.possible;
      if (state.odds_factor && state.odds_factor->numerator != state.odds_factor->denominator) {
        text += U'\t';
        text += w.odds;
        appendFactor(*state.odds_factor, language, text);
      }
    } else {
      text += U' ';
      appendChance(state.chance, language, text);
    }
    text += U'\n';
    if (state.mates.empty()) {
      text += U"\t\t";
      text += w.no_mate;
      text += U'\n';
    }
    for (const TestMate& mate : state.mates) {
      text += U"\t\t";
      if (mate.animal) {
        text += stock.animals[*mate.animal].name;
      } else {
        text += genotypeText(mate.genotype);
        text += w.not_in_file;
      }
      text += U'\t';
      text += w.reveals;
      appendChance(mate.reveal, language, text);
      for (const MixedWarning& warning : mate.warnings) {
        text += U"\t!!! ";
        text += warningText(warning.warning, language);
        text += U" !!!";
        if (warning.chance.numerator != warning.chance.denominator) {
          text += U' ';
          appendChance(warning.chance, language, text);
        }
      }
      text += U'\n';
      for (std::size_t c = 0; c < options.confidences.size(); ++c) {
        const MateFigures& f = mate.figures[c];
        text += U"\t\t\t";
        text += confidenceText(options.confidences[c], language);
        text += U'\t';
        if (f.young) {
          appendYoung(*f.young, *f.litters, options.pups, language, text);
        } else if (f.mates) {
          text += w.never_alone;
          appendMates(f, options.confidences[c], options.pups, language, text);
        } else {
          text += w.not_within;
        }
        if (f.after) {
          text += U'\t';
          text += w.if_none;
          text += percentText(*f.after, language);
        }
        text += U'\n';
      }
    }
  }
  out.write(text);
}

void writeProveJson(const Stock& stock, std::size_t animal, const ProveWork& work,
                    const ProveOptions& options, Language language, Output& out) {
  const StockAnimal& tested = stock.animals[animal];
  JsonWriter json(out);
  json.beginObject();
  json.key("animal");
  json.string(tested.name);
  json.key("genes");
  json.beginArray(JsonWriter::Layout::kLines);
  for (const TestedState& state : work.states) {
    json.beginObject();
    json.key("gene");
    json.asciiString(mutantAllele(state.gene));
    json.key("name");
    json.string(geneTitle(state.gene, language));
    json.key("state");
    json.string(stateWord(tested, state.gene, state.state, language));
    json.key("chance");
    if (state.possible) {
      json.null();
    } else {
      writeChance(state.chance, json);
    }
    json.key("odds_factor");
    if (state.odds_factor) {
      writeFraction(*state.odds_factor, json);
    } else {
      json.null();
    }
    json.key("mates");
    json.beginArray();
    for (const TestMate& mate : state.mates) {
      json.beginObject();
      json.key("name");
      if (mate.animal) {
        json.string(stock.animals[*mate.animal].name);
        json.key("genotype");
        json.null();
      } else {
        json.null();
        json.key("genotype");
        json.string(genotypeText(mate.genotype));
      }
      json.key("reveal");
      writeChance(mate.reveal, json);
      const auto by_confidence = [&](const char* key, const auto& value_of) {
        json.key(key);
        json.beginObject();
        for (std::size_t c = 0; c < options.confidences.size(); ++c) {
          json.key(options.confidences[c].label);
          value_of(mate.figures[c]);
        }
        json.endObject();
      };
      const auto number = [&](const std::optional<std::uint64_t>& n) {
        if (n) {
          json.number(static_cast<std::int64_t>(*n));
        } else {
          json.null();
        }
      };
      by_confidence("young", [&](const MateFigures& f) { number(f.young); });
      by_confidence("litters", [&](const MateFigures& f) { number(f.litters); });
      by_confidence("mates_needed", [&](const MateFigures& f) { number(f.mates); });
      by_confidence("after", [&](const MateFigures& f) {
        if (f.after) {
          writeChance(*f.after, json);
        } else {
          json.null();
        }
      });
      json.key("warnings");
      json.beginArray();
      for (const MixedWarning& warning : mate.warnings) {
        json.beginObject();
        json.key("warning");
        json.string(warningText(warning.warning, language));
        json.key("chance");
        writeChance(warning.chance, json);
        json.endObject();
      }
      json.endArray();
      json.endObject();
    }
    json.endArray();
    json.endObject();
  }
  json.endArray();
  json.endObject();
  json.end();
}

}  // namespace quorvale
