#ifndef QUORVALE_APP_DIALOGUE_H_
#define QUORVALE_APP_DIALOGUE_H_

#include <string_view>

#include "console/console.h"
#include "genetics/parser.h"
#include "text/output.h"

namespace quorvale {

// One run of the program on console: the banner, the language question
// (which sets the language of the run), then the menu until the user picks
// 5. Wherever the dialogue waits for an answer and the input has ended, the
// run ends as option 5 ends it, except that the console is told
// (Console::inputEnded), the one thing it may still write. Returns the exit
// status, 0.
int runDialogue(Console& console);

// Menu option 1, given the genotype word already read: the description line
// and, when there is one, the carrier line; or the parser's error text.
// REQUIRES: genotype finished.
void runColorFromGenotype(const GenotypeReader& genotype, Output& out);

// Menu option 2: asks for the male's genotype, then the female's, and writes
// the litter report. Returns false when the input ended before both answers.
bool runPredictLitter(Console& console);

// Menu options 3 (7 genes) and 4 (2 genes): asks for a task number until one
// other than 0 is given, shows the two parents of that exercise, waits for a
// key and writes the litter report as the answer. Returns false when the
// input ended before a task number was given.
bool runRandomTask(Console& console, int gene_count);

}  // namespace quorvale

#endif  // QUORVALE_APP_DIALOGUE_H_
