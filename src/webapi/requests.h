#ifndef QUORVALE_WEBAPI_REQUESTS_H_
#define QUORVALE_WEBAPI_REQUESTS_H_

#include <memory>
#include <string>
#include <string_view>

namespace quorvale {

// The web page's questions to the core, and its answers: the same texts
// and figures as the command line's JSON (the core's writers), for a page
// that runs the core as WebAssembly.
//
// A request is UTF-8 text, one field a line: the verb, the language ("en"
// or "ru"; not for "carriers" and "members"), then the verb's words:
//
//   color LANG GENOTYPE          the object of `quorvale --json color`
//   litter LANG MALE FEMALE PUPS SORT
//                                the object of `quorvale --json litter`
//                                with --pups PUPS (0: none) and --sort SORT
//                                ("share" or "text"), without members and
//                                without the groups' carriers; the litter
//                                is kept for "carriers" and "members"
//   carriers GROUP               {"carriers": [...]} of group GROUP (in the
//                                order of the last litter's "groups"), as
//                                that group has them in the command's JSON
//   members GROUP FIRST COUNT    {"total", "members": [...]}: members FIRST
//                                to FIRST + COUNT - 1 of group GROUP (in
//                                the order of the last litter's "groups"),
//                                without listing the others
//   task LANG NUMBER EASY        {"number", "easy", "male", "female"}, the
//                                exercise of a task number ("1" for easy)
//   colors LANG WORDS            the object of `quorvale --json colors`
//   genotypes LANG LINE          the object of `quorvale --json genotypes`
//
// An answer is one JSON document: the object, or {"error": TEXT}, TEXT in
// the request's language as the command line's error line says it (without
// "quorvale: ").
class WebRequests {
 public:
  WebRequests();
  ~WebRequests();

  WebRequests(const WebRequests&) = delete;
  WebRequests& operator=(const WebRequests&) = delete;

  std::string answer(std::string_view request);

 private:
  // The last litter asked for, grouped and analysed, for its members.
  struct KeptLitter;
  std::unique_ptr<KeptLitter> litter_;
};

}  // namespace quorvale

#endif  // QUORVALE_WEBAPI_REQUESTS_H_
