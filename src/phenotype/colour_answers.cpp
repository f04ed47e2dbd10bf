#include "phenotype/colour_answers.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "genetics/genotype_text.h"
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

// [{"gene":"e","name":"Cream"},...]
void appendJsonGenes(std::uint16_t genes, Language language, std::u32string& json) {
  json += U'[';
  bool first = true;
  for (GeneIndex g = 0; g < GeneCount; ++g) {
    if ((genes >> g & 1u) == 0) {
      continue;
    }
    json += first ? U"{" : U",{";
    first = false;
    appendJsonKey(U"gene", json);
    const std::string allele = mutantAllele(g);
    appendJsonString(std::u32string(allele.begin(), allele.end()), json);
    json += U',';
    appendJsonKey(U"name", json);
    appendJsonString(geneName(g, language), json);
    json += U'}';
  }
  json += U']';
}

void appendJsonGenotypes(const std::vector<Genotype>& genotypes, std::u32string& json) {
  json += U'[';
  for (std::size_t i = 0; i < genotypes.size(); ++i) {
    if (i > 0) {
      json += U',';
    }
    appendJsonString(lookupText(genotypes[i]), json);
  }
  json += U']';
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

}  // namespace

bool writeColourTable(std::span<const std::u32string> words, bool json, Language language,
                      Output& out, std::u32string* error) {
  const std::vector<ColourRow> table = colourTable();
  std::vector<const ColourRow*> rows;
  for (const ColourRow* row : sortedRows(table, language)) {
    if (rowMatches(*row, words)) {
      rows.push_back(row);
    }
  }
  if (rows.empty()) {
    if (error != nullptr) {
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
      *error = colourLineErrorText(typed, unknown, kExactShortHair, language);
    }
    return false;
  }
  std::u32string text = json ? U"{\"colors\":[" : U"";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ColourRow& row = *rows[i];
    if (json) {
      text += i == 0 ? U"\n{" : U",\n{";
      appendJsonKey(U"name", text);
      appendJsonString(rowName(row, language), text);
      text += U',';
      appendJsonKey(U"english", text);
      appendJsonString(rowName(row, Language::English), text);
      text += U',';
      appendJsonKey(U"kind", text);
      appendJsonString(row.is_word ? U"word" : U"base", text);
      text += U',';
      appendJsonKey(U"genotypes", text);
      appendJsonGenotypes(row.genotypes, text);
      text += U',';
      appendJsonKey(U"genes", text);
      appendJsonGenes(row.genes, language, text);
      text += U'}';
      continue;
    }
    text += rowName(row, language);
    text += U'\t';
    if (language != Language::English) {
      text += rowName(row, Language::English);
      text += U'\t';
    }
    for (std::size_t k = 0; k < row.genotypes.size(); ++k) {
      text += k == 0 ? U"" : U", ";
      text += lookupText(row.genotypes[k]);
    }
    text += U'\t';
    text += genesText(row.genes, language);
    text += U'\n';
  }
  if (json) {
    text += U"]}\n";
  }
  out.write(text);
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

bool writeGenotypesOfLine(std::u32string_view line, bool json, Language language, Output& out,
                          std::u32string* error) {
  const ColourLineReading reading = readColourLine(line, kExactShortHair);
  const std::optional<LineLookup> found =
      reading.pattern ? lookUpLine(*reading.pattern, kExactShortHair) : std::nullopt;
  if (!found) {
    if (error != nullptr) {
      *error = colourLineErrorText(line, reading.error, kExactShortHair, language);
    }
    return false;
  }
  std::u32string text;
  if (json) {
    text = U"{";
    appendJsonKey(U"line", text);
    appendJsonString(lineText(*found, language), text);
    text += U',';
    appendJsonKey(U"genotypes", text);
    appendJsonGenotypes(found->genotypes, text);
    text += U',';
    appendJsonKey(U"may_hide", text);
    appendJsonGenes(found->may_hide, language, text);
    text += U',';
    appendJsonKey(U"may_double", text);
    appendJsonGenes(found->may_double, language, text);
    text += U',';
    appendJsonKey(U"may_carry", text);
    appendJsonGenes(found->may_carry, language, text);
    text += U"}\n";
    out.write(text);
    return true;
  }
  text = lineText(*found, language);
  text += U'\n';
  for (const Genotype& g : found->genotypes) {
    text += lookupText(g);
    text += U'\n';
  }
  if (found->may_hide != 0) {
    text += phraseText(PhraseId::MayHide, language);
    appendGeneNames(found->may_hide, language, text);
    text += U'\n';
  }
  if (found->may_double != 0) {
    text += phraseText(PhraseId::MayDouble, language);
    appendGeneNames(found->may_double, language, text);
    text += U'\n';
  }
  if (found->may_carry != 0) {
    text += phraseText(PhraseId::MayCarry, language);
    appendGeneNames(found->may_carry, language, text);
    text += U'\n';
  }
  out.write(text);
  return true;
}

}  // namespace quorvale
