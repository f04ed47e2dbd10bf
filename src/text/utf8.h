#ifndef QUORVALE_TEXT_UTF8_H_
#define QUORVALE_TEXT_UTF8_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvale {

// The one place where the program's text, held as code points, becomes UTF-8
// bytes and back, and where plain ASCII bytes become code points.

// The replacement character that stands for every byte of input that does not
// belong to a valid UTF-8 sequence.
inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

// Appends the UTF-8 encoding of text to out. A code point that cannot be
// encoded (a surrogate or a value above U+10FFFF) is written as U+FFFD.
void appendUtf8(std::u32string_view text, std::string& out);

// The UTF-8 encoding of text.
std::string toUtf8(std::u32string_view text);

// Appends ASCII text (digits, genotype symbols) as code points: one byte,
// one code point.
// REQUIRES: every byte of ascii is below 0x80.
void appendAscii(std::string_view ascii, std::u32string& out);

// The same as a string of its own.
std::u32string widenAscii(std::string_view ascii);

// Decodes UTF-8 bytes into code points. Each byte that is not part of a valid
// sequence (a stray continuation byte, an overlong form, a surrogate, a value
// above U+10FFFF, a sequence cut short) becomes one U+FFFD.
std::u32string fromUtf8(std::string_view bytes);

// Decodes the one character that starts at bytes[pos], for readers that get
// their bytes piece by piece. Returns how many bytes it took and stores the
// character in *out: a valid sequence gives its code point, any other byte
// gives U+FFFD and a length of 1. Returns 0 when the bytes from pos could
// still become a valid sequence once more bytes arrive; pass
// more_may_follow = false at the end of input to decide them anyway.
// REQUIRES: pos < bytes.size().
std::size_t decodeUtf8At(std::string_view bytes, std::size_t pos, bool more_may_follow,
                         char32_t* out);

}  // namespace quorvale

#endif  // QUORVALE_TEXT_UTF8_H_
