#ifndef QUORVALE_CONSOLE_UTF16_H_
#define QUORVALE_CONSOLE_UTF16_H_

#include <string>
#include <string_view>

namespace quorvale {

// The Windows console reads and writes UTF-16, while the program's bytes are
// UTF-8; these conversions sit between the two. Text arrives in pieces (a
// flush may cut a character, a console read may end between the two halves
// of a surrogate pair), so each conversion keeps the unfinished end of one
// piece for the next.

// Converts UTF-8 bytes to UTF-16. *pending holds bytes of a character left
// unfinished by the previous call; they are taken first, and a new
// unfinished end is left there. Bytes that cannot become a valid character
// become U+FFFD, one per byte.
std::u16string utf16FromUtf8(std::string_view bytes, std::string* pending);

// Converts UTF-16 units to UTF-8. *pending_high is a high surrogate left
// from the previous call (0 when none); it is taken first, and a high
// surrogate at the very end is left there for the next call unless
// more_may_follow is false (the end of input). A surrogate without its
// partner becomes U+FFFD.
std::string utf8FromUtf16(std::u16string_view units, bool more_may_follow, char16_t* pending_high);

}  // namespace quorvale

#endif  // QUORVALE_CONSOLE_UTF16_H_
