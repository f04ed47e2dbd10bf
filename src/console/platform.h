#ifndef QUORVALE_CONSOLE_PLATFORM_H_
#define QUORVALE_CONSOLE_PLATFORM_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The few operating-system services the program uses, and nothing else. Each
// system has its own implementation file (platform_posix.cpp, and one for
// Windows); everything above this header is the same everywhere. Bytes are
// raw: standard input is decoded as UTF-8 and standard output is written as
// UTF-8 by the callers, whatever the locale or console settings say.

namespace quorvale::platform {

// Prepares the process for the console dialogue. Called once, before anything
// is read or written. On systems whose console needs to be told that the
// bytes are UTF-8 (or switched to binary mode) this is where it happens; it
// must not depend on the user's locale. Never fails: whatever it cannot set
// up is left as it was.
void prepareConsole();

// The words the program was started with, after its own name, as UTF-8.
// On POSIX systems these are argv's bytes as they are. On Windows they are
// the command line as the system keeps it, in UTF-16, so that a Russian
// word arrives intact whatever the console's code page (argv there holds
// the code page's bytes, and loses what the code page lacks).
std::vector<std::string> commandLineArguments(int argc, char** argv);

// Reads up to `capacity` bytes of standard input into `buffer`, blocking until
// at least one byte is available. Returns the number of bytes read, or 0 at
// the end of input. A read error counts as the end of input. An interrupted
// call is retried, so 0 never means "try again".
// REQUIRES: capacity > 0.
std::size_t readInput(char* buffer, std::size_t capacity);

// Writes all of `bytes` to standard output, retrying interrupted and partial
// writes. Returns false when the bytes cannot all be written (a full disk, a
// closed pipe, a closed descriptor); the caller then writes nothing more.
// Never loops without progress. (On POSIX a closed pipe may instead end the
// process by SIGPIPE, which is equally acceptable.)
bool writeOutput(std::string_view bytes);

// True when standard output is an interactive terminal, where the caller
// may choose to flush at every line end.
bool outputIsTerminal();

// The size of the pieces standard output takes best, for a caller that
// writes large amounts: 1 MiB, except for a pipe, which only holds so much
// before the writer has to wait for the reader. On Linux the pipe is first
// asked to hold 1 MiB (where the system allows it; otherwise it stays as it
// was, silently), and its capacity is returned. Called once, before output.
std::size_t outputBlockSize();

// Writes one diagnostic line (the text plus a line end) to standard error,
// unbuffered. Best effort: errors are ignored.
void writeDiagnostic(std::string_view line);

// How reading a file ended.
enum class FileRead { Read, CannotOpen, TooLarge, Failed };

// Reads the whole file at `path` (UTF-8, as the command line gives it; on
// Windows the file is opened by its UTF-16 name, so that a Russian name
// works whatever the code page) into *bytes: at most `most` bytes, else
// TooLarge with nothing kept. Never reads standard input.
FileRead readFile(std::string_view path, std::size_t most, std::string* bytes);

// Waits for one key press on the user's terminal (the controlling terminal,
// or the console), never taking the key from standard input. Words typed
// ahead for the next prompts stay answers to them: when standard input is
// that same terminal, the whole lines already typed are first moved out of
// it into a store that readInput gives out before reading again, so the key
// wait cannot swallow them. The key is not echoed and needs no
// Enter. A key that sends several bytes (a non-ASCII letter, an arrow or a
// function key) is consumed whole. The terminal's settings are restored
// before returning, and also when the process is interrupted or terminated
// during the wait. Stopped during the wait (Ctrl-Z), the process leaves the
// terminal in its usual settings; resumed, it takes the settings it finds
// as the ones to restore and waits for a single key again. When the process
// has no terminal (input and output redirected, no controlling terminal) it
// returns at once.
void waitForKeyPress();

}  // namespace quorvale::platform

#endif  // QUORVALE_CONSOLE_PLATFORM_H_
