// The program's entry: one dialogue on the real console.

#include <cstdlib>

#include "app/dialogue.h"
#include "console/platform.h"
#include "console/terminal_console.h"

int main() {
  quorvale::platform::prepareConsole();
  quorvale::TerminalConsole console;
  const int status = quorvale::runDialogue(console);
  console.flush();
  if (console.outputFailed()) {
    quorvale::platform::writeDiagnostic("quorvale: cannot write to standard output");
    return EXIT_FAILURE;
  }
  return status;
}
