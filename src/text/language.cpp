#include "text/language.h"

namespace quorvale {

namespace {
Language g_language = Language::English;
}  // namespace

Language currentLanguage() { return g_language; }

void setCurrentLanguage(Language language) { g_language = language; }

}  // namespace quorvale
