#ifndef QUORVALE_APP_DIALOGUE_H_
#define QUORVALE_APP_DIALOGUE_H_

#include "console/console.h"

namespace quorvale {

// One run of the program on console: the banner, the language question
// (whose answer, the run's current language, every later text is written
// in), then the menu until the user picks 5. Option 1 describes a genotype,
// option 2 predicts a litter, options 3 and 4 set an exercise from a task
// number and show its litter after a key press. Wherever the dialogue waits
// for an answer and the input has ended, the run ends as option 5 ends it,
// except that the console is told (Console::inputEnded), the one thing it
// may still write. Returns the exit status, 0.
int runDialogue(Console& console);

}  // namespace quorvale

#endif  // QUORVALE_APP_DIALOGUE_H_
