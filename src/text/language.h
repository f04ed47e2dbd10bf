#ifndef QUORVALE_TEXT_LANGUAGE_H_
#define QUORVALE_TEXT_LANGUAGE_H_

namespace quorvale {

// The language of a run. The value indexes the rows of every bilingual table.
enum class Language { English = 0, Russian = 1 };

// The language of this run: English until the start-up question sets it.
Language currentLanguage();

// Sets the language of the run. The dialogue calls it once, after the
// language question; tests call it to switch between the two.
void setCurrentLanguage(Language language);

}  // namespace quorvale

#endif  // QUORVALE_TEXT_LANGUAGE_H_
