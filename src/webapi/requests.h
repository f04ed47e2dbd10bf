#ifndef QUORVALE_WEBAPI_REQUESTS_H_
#define QUORVALE_WEBAPI_REQUESTS_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "text/language.h"

namespace quorvale {

// The web page's questions to the core, and its answers: the documents of
// the command line's --json, written by the same core writers, for a page
// that runs the core as WebAssembly. Each request carries all it needs,
// so the page keeps no copy of anything the core remembers.
//
// A request is UTF-8 text, one field a line: the verb, the language ("en"
// or "ru"), then the verb's fields:
//
//   color LANG GENOTYPE          quorvale --json color GENOTYPE
//   litter LANG MALE FEMALE PUPS SORT FIND
//                                quorvale --json litter --pups PUPS --sort
//                                SORT --find FIND MALE FEMALE (without
//                                --find when FIND is empty), without the
//                                groups' carriers
//   carriers LANG MALE FEMALE SORT FIND GROUP
//                                {"carriers": [...]} of that litter's group
//                                GROUP (its place in "groups", from 0), as
//                                quorvale --json litter has them
//   members LANG MALE FEMALE SORT FIND GROUP FIRST COUNT
//                                {"total", "members": [...]}: that group's
//                                members FIRST to FIRST + COUNT - 1, a slice
//                                of its "members" in quorvale --json litter
//                                --members, without listing the others
//   task LANG NUMBER EASY        quorvale --json task --no-answer NUMBER,
//                                with --easy when EASY is "1"
//   colors LANG WORDS            quorvale --json colors WORDS
//   genotypes LANG LINE          quorvale --json genotypes LINE
//   genes LANG                   the table of genes (text/gene_table.h)
//   stock LANG                   quorvale --json stock FILE
//   stocktext LANG               {"text": TEXT}, TEXT quorvale stock FILE
//   prove LANG NAME              quorvale --json prove FILE NAME
//   provetext LANG NAME          {"text": TEXT}, TEXT quorvale prove FILE NAME
//   stocklitter LANG MALE FEMALE PUPS SORT
//                                quorvale --json litter --stock FILE --pups
//                                PUPS --sort SORT --carriers --members MALE
//                                FEMALE
//
// The verbs of a stock are followed by the file's bytes: everything
// after the line end of their last field, as the page read them from the
// device or the user pasted them (no request leaves the device). A stock
// whose records are at fault answers {"error": TEXT, "input": "stock",
// "faults": [TEXT...]}: every line the command line writes about the file,
// without "quorvale: FILE: ", the first as TEXT; a name that is not
// there, or of a parent of the other sex, is an error about "male" or
// "female" (without "faults"). A litter of coats that cannot be worked out
// is likewise an error about "litter", with its "faults".
//
// In a litter, a parent's word that is no genotype may be a colour line,
// as on the command line: the answer is then that of a litter of a stock
// of two founders known by their coats (quorvale --json litter --pups PUPS
// --sort SORT --carriers --members --find FIND MALE FEMALE, with
// "possible" and "assumption"), carriers and members in it; carriers and
// members answer about litters of genotypes.
//
// FIND is a colour as --find reads it, or empty for every group. SORT is
// "text" or "share"; PUPS, GROUP, FIRST and COUNT are plain digits
// (text/digits.h), PUPS from 1 to 99 as --pups takes it. An answer is one
// JSON document: the command's, or {"error": TEXT, "input": FIELD}, TEXT
// in the request's language as the command line's error line says it
// (without "quorvale: ", a word's number or option, and the command
// line's hints), FIELD the field it is about ("genotype", "male",
// "female", "pups", "find", "number", "words", "line"; a request the page
// should never send names "request"). A colour's name given for a genotype (color "Sable")
// adds "colour": the word, which the way back from a colour (genotypes)
// answers, as the command line's hint says.
class WebRequests {
 public:
  WebRequests();
  ~WebRequests();

  WebRequests(const WebRequests&) = delete;
  WebRequests& operator=(const WebRequests&) = delete;

  // The answer to a request of fields, as above.
  std::string answer(std::string_view request);

  // The requests, read: one function per verb.
  struct Litter {
    Language language = Language::English;
    std::u32string male;
    std::u32string female;
    bool by_share = false;
    std::u32string find;  // the colour looked for, or empty for every group
  };
  struct Group {
    Litter litter;
    std::size_t group = 0;
  };
  std::string colour(Language language, std::u32string_view genotype);
  std::string litter(const Litter& litter, std::u32string_view pups);
  std::string carriers(const Group& group);
  std::string members(const Group& group, std::uint64_t first, std::uint64_t count);
  std::string task(Language language, std::u32string_view number, bool easy);
  std::string colours(Language language, std::u32string_view words);
  std::string genotypes(Language language, std::u32string_view line);
  std::string genes(Language language);
  // The verbs of a stock: its file's bytes and what is asked of it.
  struct StockLitter {
    Language language = Language::English;
    std::u32string male;
    std::u32string female;
    bool by_share = false;
  };
  std::string stock(Language language, std::string_view file, bool as_text);
  std::string prove(Language language, std::u32string_view name, std::string_view file,
                    bool as_text);
  std::string stockLitter(const StockLitter& litter, std::u32string_view pups,
                          std::string_view file);

 private:
  // The last litter asked for, grouped and analysed: asked for again (the
  // carriers and members of its groups), it is not worked out again. An
  // optimisation only: every answer is the same without it.
  struct Kept;
  // The kept litter of a request, worked out first when it is another,
  // with the groups of the colour it looks for; nothing (and error, the
  // answer) when a parent's word or the colour fails.
  const Kept* kept(const Litter& litter, std::string& error);

  std::unique_ptr<Kept> kept_;

  // The last stock file asked about, read and (once asked for) inferred:
  // its inference is the costly part of its answers. Also an optimisation
  // only.
  struct KeptStock;
  const KeptStock& keptStock(std::string_view file);

  std::unique_ptr<KeptStock> kept_stock_;
};

}  // namespace quorvale

#endif  // QUORVALE_WEBAPI_REQUESTS_H_
