#include "phenotype/colour_answers.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "genetics/genotype_text.h"
#include "phenotype/animal.h"
#include "phenotype/carriers.h"
#include "phenotype/colour_line.h"
#include "phenotype/colour_lookup.h"
#include "phenotype/colour_words.h"
#include "text/genotype_error.h"
#include "text/json.h"
#include "text/messages.h"
#include "text/phrases.h"

namespace quorvale {

namespace {

// "genes of Cream and Umbrous", or "no mutant genes".
std::u32string genesText(std::uint16_t genes, Language language) {
  if (genes == 0) {
    return std::u32string(phraseText(PhraseId::NoMutantGenes, language));
  }
  std::u32string text(phraseText(PhraseId::GenesOf, language));
  appendGeneNames(genes, language, text);
  return text;
}

// "may also have hidden Black and Umbrous" (phrase and the genes' names),
// or nothing for no genes.
std::u32string mayLine(PhraseId phrase, std::uint16_t genes, Language language) {
  if (genes == 0) {
    return {};
  }
  std::u32string text(phraseText(phrase, language));
  appendGeneNames(genes, language, text);
  return text;
}

void writeLineOrNull(std::u32string_view line, JsonWriter& json) {
  if (line.empty()) {
    json.null();
  } else {
    json.string(line);
  }
}

// [{"gene":"e","name":"Cream"},...]
void writeGenes(std::uint16_t genes, Language language, JsonWriter& json) {
  json.beginArray();
  for (GeneIndex g = 0; g < GeneCount; ++g) {
    if ((genes >> g & 1u) == 0) {
      continue;
    }
    json.beginObject();
    json.key("gene");
    json.asciiString(mutantAllele(g));
    json.key("name");
    json.string(geneName(g, language));
    json.endObject();
  }
  json.endArray();
}

void writeGenotypes(const std::vector<Genotype>& genotypes, JsonWriter& json) {
  json.beginArray();
  for (const Genotype& g : genotypes) {
    json.string(lookupText(g));
  }
  json.endArray();
}

// Up to this many characters of what the user typed are shown back.
constexpr std::size_t kShownTyped = 80;

// "no colour matches: WORD", then what it may have been meant as ("; did
// you mean: A, B or C?") or where the colours are listed.
std::u32string unknownWordText(std::u32string_view word,
                               const std::vector<std::u32string>& suggestions, Language language) {
  std::u32string text = noColourText(word, language);
  if (suggestions.empty()) {
    text += phraseText(PhraseId::ListOfColours, language);
    return text;
  }
  text += phraseText(PhraseId::DidYouMean, language);
  for (std::size_t i = 0; i < suggestions.size(); ++i) {
    if (i > 0) {
      text += i + 1 == suggestions.size() ? phraseText(PhraseId::OrSeparator, language) : U", ";
    }
    text += suggestions[i];
  }
  text += U'?';
  return text;
}

// What to tell the user when no row of the table holds the words: of the
// first word that matches no colour word, or else of the words.
std::u32string colourTableError(std::span<const std::u32string> words, Language language) {
  std::u32string typed;
  for (const std::u32string& word : words) {
    typed += typed.empty() ? U"" : U" ";
    typed += word;
  }
  ColourLineError unknown;
  const std::vector<ColourPhrase> phrases = colourPhrases(/*with_sex_words=*/false);
  for (const ColourNameWord& word : colourNameWords(typed)) {
    if (unknown.word.empty() && !isColourWord(word.folded, phrases)) {
      unknown.kind = LineErrorKind::UnknownWord;
      unknown.word = word.written;
      unknown.suggestions = suggestedWords(word.folded, phrases);
    }
  }
  return colourLineErrorText(typed, unknown, kExactShortHair, language);
}

// The rows of the table that hold every word, in its order; none, and the
// error in *error (when given), when no row does.
std::vector<const ColourRow*> matchingRows(const std::vector<ColourRow>& table,
                                           std::span<const std::u32string> words, Language language,
                                           std::u32string* error) {
  std::vector<const ColourRow*> rows;
  for (const ColourRow* row : sortedRows(table, language)) {
    if (rowMatches(*row, words)) {
      rows.push_back(row);
    }
  }
  if (rows.empty() && error != nullptr) {
    *error = colourTableError(words, language);
  }
  return rows;
}

// The line a text names, read by readColourLine; nothing, and the error in
// *error (when given), when it names none.
std::optional<LineLookup> lineOf(std::u32string_view line, Language language,
                                 std::u32string* error) {
  const ColourLineReading reading = readColourLine(line, kExactShortHair);
  std::optional<LineLookup> found =
      reading.pattern ? lookUpLine(*reading.pattern, kExactShortHair) : std::nullopt;
  if (!found && error != nullptr) {
    *error = colourLineErrorText(line, reading.error, kExactShortHair, language);
  }
  return found;
}

}  // namespace

bool writeColourTable(std::span<const std::u32string> words, Language language, Output& out,
                      std::u32string* error) {
  const std::vector<ColourRow> table = colourTable();
  const std::vector<const ColourRow*> rows = matchingRows(table, words, language, error);
  if (rows.empty()) {
    return false;
  }
  std::u32string text;
  for (const ColourRow* row : rows) {
    text += rowName(*row, language);
    text += U'\t';
    if (language != Language::English) {
      text += rowName(*row, Language::English);
      text += U'\t';
    }
    for (std::size_t k = 0; k < row->genotypes.size(); ++k) {
      text += k == 0 ? U"" : U", ";
      text += lookupText(row->genotypes[k]);
    }
    text += U'\t';
    text += genesText(row->genes, language);
    text += U'\n';
  }
  out.write(text);
  return true;
}

bool writeColourTableJson(std::span<const std::u32string> words, Language language, Output& out,
                          std::u32string* error) {
  const std::vector<ColourRow> table = colourTable();
  const std::vector<const ColourRow*> rows = matchingRows(table, words, language, error);
  if (rows.empty()) {
    return false;
  }
  JsonWriter json(out);
  json.beginObject();
  json.key("colors");
  json.beginArray(JsonWriter::Layout::kLines);
  for (const ColourRow* row : rows) {
    json.beginObject();
    json.key("name");
    json.string(rowName(*row, language));
    json.key("english");
    json.string(rowName(*row, Language::English));
    json.key("kind");
    json.asciiString(row->is_word ? "word" : "base");
    // A base colour's line is that of its simplest genotype, sex left out:
    // "SH Sable", "соболь КШ", or the name alone where the colour is
    // written alone.
    json.key("line");
    if (row->is_word) {
      json.null();
    } else {
      json.string(describeAnimal(row->genotypes.front(), false, false, language).description);
    }
    json.key("genotypes");
    writeGenotypes(row->genotypes, json);
    json.key("genes");
    writeGenes(row->genes, language, json);
    json.key("genes_line");
    json.string(genesText(row->genes, language));
    json.endObject();
  }
  json.endArray();
  json.endObject();
  json.end();
  return true;
}

std::u32string colourLineErrorText(std::u32string_view typed, const ColourLineError& error,
                                   const LineFit& fit, Language language) {
  switch (error.kind) {
    case LineErrorKind::UnknownWord:
      return unknownWordText(error.word, error.suggestions, language);
    case LineErrorKind::Ambiguous: {
      std::u32string text(phraseText(PhraseId::SeveralColoursMatch, language));
      appendShown(typed.substr(0, kShownTyped), text);
      for (std::size_t i = 0; i < error.lines.size(); ++i) {
        text += i == 0 ? U" (" : U"; ";
        text += patternText(error.lines[i], fit, language);
      }
      text += U')';
      return text;
    }
    case LineErrorKind::NoLine:
      break;
  }
  return noColourText(typed, language) +
         std::u32string(phraseText(PhraseId::ListOfColours, language));
}

std::u32string noColourText(std::u32string_view words, Language language) {
  std::u32string text(phraseText(PhraseId::NoColourMatches, language));
  appendShown(words.substr(0, kShownTyped), text);
  return text;
}

bool writeGenotypesOfLine(std::u32string_view line, Language language, Output& out,
                          std::u32string* error) {
  const std::optional<LineLookup> found = lineOf(line, language, error);
  if (!found) {
    return false;
  }
  std::u32string text = lineText(*found, language);
  text += U'\n';
  for (const Genotype& g : found->genotypes) {
    text += lookupText(g);
    text += U'\n';
  }
  for (const std::u32string& may : {mayLine(PhraseId::MayHide, found->may_hide, language),
                                    mayLine(PhraseId::MayDouble, found->may_double, language),
                                    mayLine(PhraseId::MayCarry, found->may_carry, language)}) {
    if (!may.empty()) {
      text += may;
      text += U'\n';
    }
  }
  out.write(text);
  return true;
}

bool writeGenotypesOfLineJson(std::u32string_view line, Language language, Output& out,
                              std::u32string* error) {
  const std::optional<LineLookup> found = lineOf(line, language, error);
  if (!found) {
    return false;
  }
  JsonWriter json(out);
  json.beginObject();
  json.key("line");
  json.string(lineText(*found, language));
  json.key("english_line");
  json.string(lineText(*found, Language::English));
  json.key("genotypes");
  writeGenotypes(found->genotypes, json);
  json.key("may_hide");
  writeGenes(found->may_hide, language, json);
  json.key("may_double");
  writeGenes(found->may_double, language, json);
  json.key("may_carry");
  writeGenes(found->may_carry, language, json);
  // The same as the text answer's lines, or null.
  json.key("may_hide_line");
  writeLineOrNull(mayLine(PhraseId::MayHide, found->may_hide, language), json);
  json.key("may_double_line");
  writeLineOrNull(mayLine(PhraseId::MayDouble, found->may_double, language), json);
  json.key("may_carry_line");
  writeLineOrNull(mayLine(PhraseId::MayCarry, found->may_carry, language), json);
  json.endObject();
  json.end();
  return true;
}

}  // namespace quorvale
