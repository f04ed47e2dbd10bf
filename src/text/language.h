#ifndef QUORVALE_TEXT_LANGUAGE_H_
#define QUORVALE_TEXT_LANGUAGE_H_

namespace quorvale {

// The languages the program speaks. Every function that writes text takes
// one; the value indexes the rows of every bilingual table, which are laid
// out [language][id].
enum class Language { English = 0, Russian = 1 };

inline constexpr int LanguageCount = 2;

}  // namespace quorvale

#endif  // QUORVALE_TEXT_LANGUAGE_H_
