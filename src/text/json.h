#ifndef QUORVALE_TEXT_JSON_H_
#define QUORVALE_TEXT_JSON_H_

#include <string>
#include <string_view>

namespace quorvale {

// The pieces of the JSON the program writes for scripts and the web page:
// UTF-8 (once the code points are encoded), keys in English, numbers
// without locale. Each writer builds its document from these.

// Appends text as a JSON string, quotes included: '"' and '\' escaped, the
// line feed and the tab as \n and \t, every other control character as
// \u00XX. Everything else, Cyrillic included, stands as it is.
void appendJsonString(std::u32string_view text, std::u32string& out);

// Appends "key": (the key quoted, then a colon).
void appendJsonKey(std::u32string_view key, std::u32string& out);

// Appends ASCII text (a number, or a literal such as true or null) as it is.
void appendJsonAscii(std::string_view ascii, std::u32string& out);

}  // namespace quorvale

#endif  // QUORVALE_TEXT_JSON_H_
