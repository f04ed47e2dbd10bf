#ifndef QUORVALE_APP_USAGE_H_
#define QUORVALE_APP_USAGE_H_

#include <string>
#include <string_view>

#include "app/arguments.h"
#include "text/language.h"

namespace quorvale {

// The command line's own texts, in both languages: what --help and
// --version write, and the usage errors.

// The whole of --help, ending with a line end.
std::u32string_view helpText(Language language);

// What --version writes: the name and version, and the licence line.
std::u32string_view versionText();

// A usage error as the line after "quorvale: ", without its line end; the
// words it quotes are made safe to show (appendShown).
std::u32string usageErrorText(const UsageError& error, Language language);

// The line for standard error when the answer could not be written.
std::u32string_view cannotWriteText(Language language);

// The line that follows a usage error: where to read how the program is
// used.
std::u32string_view usageHint(Language language);

}  // namespace quorvale

#endif  // QUORVALE_APP_USAGE_H_
