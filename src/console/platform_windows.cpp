// The platform layer on Windows. Redirected standard streams (files, pipes)
// carry the program's UTF-8 bytes unchanged, with no CR added or removed.
// When a standard stream is the console itself, the text goes through the
// console's UTF-16 functions instead, so Cyrillic shows correctly whatever
// the console's code page is, and the code page is left alone. The key press
// is read as one console input event, never from standard input.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "console/platform.h"
#include "console/utf16.h"

namespace quorvale::platform {

namespace {

// One standard stream and what it is connected to.
struct Stream {
  HANDLE handle = nullptr;  // nullptr when the process has no such stream
  bool is_console = false;  // the console, rather than a file or a pipe
  bool is_pipe = false;
};

Stream detectStream(DWORD which) {
  Stream s;
  const HANDLE h = ::GetStdHandle(which);
  if (h == nullptr || h == INVALID_HANDLE_VALUE) {
    return s;
  }
  s.handle = h;
  DWORD mode = 0;
  s.is_console = ::GetConsoleMode(h, &mode) != 0;
  s.is_pipe = !s.is_console && ::GetFileType(h) == FILE_TYPE_PIPE;
  return s;
}

// The three standard streams, as they were when first asked for.
struct Streams {
  Stream in = detectStream(STD_INPUT_HANDLE);
  Stream out = detectStream(STD_OUTPUT_HANDLE);
  Stream err = detectStream(STD_ERROR_HANDLE);
};

Streams& streams() {
  static Streams s;
  return s;
}

// ---- The console ---------------------------------------------------------

bool isHighSurrogate(wchar_t u) { return u >= 0xD800 && u <= 0xDBFF; }

// UTF-8 bytes as the console's UTF-16 (wchar_t is 16 bits on Windows).
// pending keeps a character cut by the end of bytes for the next call.
std::wstring consoleText(std::string_view bytes, std::string& pending) {
  const std::u16string units = utf16FromUtf8(bytes, &pending);
  return std::wstring(units.begin(), units.end());
}

// Writes units to a console handle. False when the console refuses them.
bool writeConsoleUnits(HANDLE h, std::wstring_view units) {
  // Old consoles reject very large writes; pieces of this size always go.
  constexpr std::size_t kPiece = 8192;
  while (!units.empty()) {
    std::size_t n = std::min(units.size(), kPiece);
    // Keep a surrogate pair in one piece.
    if (n < units.size() && isHighSurrogate(units[n - 1])) {
      --n;
    }
    DWORD written = 0;
    if (!::WriteConsoleW(h, units.data(), static_cast<DWORD>(n), &written, nullptr) ||
        written == 0) {
      return false;
    }
    units.remove_prefix(std::min<std::size_t>(written, units.size()));
  }
  return true;
}

// Writes bytes to a file or pipe handle. False on failure, including a write
// that makes no progress.
bool writeFileBytes(HANDLE h, std::string_view bytes) {
  constexpr std::size_t kMaxPiece = 1u << 30;
  while (!bytes.empty()) {
    const DWORD n = static_cast<DWORD>(std::min(bytes.size(), kMaxPiece));
    DWORD written = 0;
    if (!::WriteFile(h, bytes.data(), n, &written, nullptr) || written == 0) {
      return false;
    }
    bytes.remove_prefix(std::min<std::size_t>(written, bytes.size()));
  }
  return true;
}

// The start of a character cut by the previous standard output write.
std::string g_output_pending;

// ---- Console input -------------------------------------------------------

// UTF-8 bytes read from the console but not yet handed to the caller, and
// whether the user has ended the input.
struct ConsoleInput {
  std::string bytes;
  std::size_t begin = 0;
  char16_t high_surrogate = 0;  // first half of a pair whose second is unread
  bool ended = false;
};

ConsoleInput g_console_input;

// The key that ends console input, as on every Windows console program:
// Ctrl+Z (then Enter).
constexpr char16_t kConsoleEndOfInput = 0x1A;

// Reads one more line from the console and appends it to g_console_input.
// False when the input has ended.
bool readConsoleLine(HANDLE h) {
  ConsoleInput& in = g_console_input;
  while (!in.ended) {
    wchar_t chunk[4096];
    DWORD count = 0;
    ::SetLastError(ERROR_SUCCESS);
    if (!::ReadConsoleW(h, chunk, static_cast<DWORD>(std::size(chunk)), &count, nullptr)) {
      in.ended = true;
      count = 0;
    } else if (count == 0 && ::GetLastError() != ERROR_OPERATION_ABORTED) {
      // An empty read is Ctrl+C, which ends the process through the
      // console's own handler, or a console that has gone.
      in.ended = true;
    }
    std::u16string units(chunk, chunk + count);
    const std::size_t eof = units.find(kConsoleEndOfInput);
    if (eof != std::u16string::npos) {
      units.resize(eof);
      in.ended = true;
    }
    const std::string bytes = utf8FromUtf16(units, !in.ended, &in.high_surrogate);
    if (!bytes.empty()) {
      in.bytes.erase(0, in.begin);
      in.begin = 0;
      in.bytes += bytes;
      return true;
    }
  }
  return false;
}

std::size_t readConsoleInput(HANDLE h, char* buffer, std::size_t capacity) {
  ConsoleInput& in = g_console_input;
  if (in.begin == in.bytes.size() && !readConsoleLine(h)) {
    return 0;
  }
  const std::size_t n = std::min(capacity, in.bytes.size() - in.begin);
  in.bytes.copy(buffer, n, in.begin);
  in.begin += n;
  return n;
}

// True when the console's input buffer holds a press of Enter: a whole line
// the user typed ahead, which a line read takes without waiting.
bool lineTypedAhead(HANDLE h) {
  DWORD pending = 0;
  if (!::GetNumberOfConsoleInputEvents(h, &pending) || pending == 0) {
    return false;
  }
  std::vector<INPUT_RECORD> events(pending);
  DWORD count = 0;
  if (!::PeekConsoleInputW(h, events.data(), pending, &count)) {
    return false;
  }
  for (DWORD i = 0; i < count && i < pending; ++i) {
    const INPUT_RECORD& r = events[i];
    if (r.EventType == KEY_EVENT && r.Event.KeyEvent.bKeyDown &&
        (r.Event.KeyEvent.wVirtualKeyCode == VK_RETURN ||
         r.Event.KeyEvent.uChar.UnicodeChar == L'\r')) {
      return true;
    }
  }
  return false;
}

// Lines typed ahead on the console are still key events in its input
// buffer, where the key wait would take their first key. Read them as
// answers first, so they answer the next prompts and the key wait takes a
// fresh key. A line still being typed (no Enter yet) is left alone.
void keepTypedAheadLines(HANDLE h) {
  constexpr std::size_t kMaxTypedAhead = std::size_t{1} << 20;
  ConsoleInput& in = g_console_input;
  while (!in.ended && in.bytes.size() - in.begin < kMaxTypedAhead && lineTypedAhead(h)) {
    if (!readConsoleLine(h)) {
      break;
    }
  }
}

std::size_t readFileInput(const Stream& s, char* buffer, std::size_t capacity) {
  const DWORD n = static_cast<DWORD>(std::min<std::size_t>(capacity, 1u << 30));
  for (;;) {
    DWORD count = 0;
    // A broken pipe is the writer's end of input; any other failure counts
    // as the end too.
    if (!::ReadFile(s.handle, buffer, n, &count, nullptr)) {
      return 0;
    }
    // On a pipe an empty read is the writer's empty write, not the end
    // (that is the broken pipe); on a file it is the end.
    if (count > 0 || !s.is_pipe) {
      return count;
    }
  }
}

// ---- The key press -------------------------------------------------------

// Keys that only modify others and are no key press of their own, as for
// _getch.
bool isModifierKey(WORD vk) {
  switch (vk) {
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_CAPITAL:
    case VK_NUMLOCK:
    case VK_SCROLL:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
      return true;
    default:
      return false;
  }
}

// True when the event is the press of a key the user would call a key.
bool isKeyPress(const INPUT_RECORD& r) {
  if (r.EventType != KEY_EVENT) {
    return false;
  }
  const KEY_EVENT_RECORD& key = r.Event.KeyEvent;
  if (!key.bKeyDown) {
    return false;
  }
  return key.uChar.UnicodeChar != 0 || !isModifierKey(key.wVirtualKeyCode);
}

// Reads console events until one is a key press. A character outside the
// Basic Multilingual Plane arrives as two events, one per surrogate; both
// are taken. False when the console cannot be read.
bool consumeOneKey(HANDLE conin) {
  for (;;) {
    INPUT_RECORD r{};
    DWORD count = 0;
    if (!::ReadConsoleInputW(conin, &r, 1, &count)) {
      return false;
    }
    if (count == 0 || !isKeyPress(r)) {
      continue;
    }
    if (!isHighSurrogate(r.Event.KeyEvent.uChar.UnicodeChar)) {
      return true;
    }
    // The second half follows at once; wait for it only briefly.
    while (::WaitForSingleObject(conin, 50) == WAIT_OBJECT_0) {
      if (!::ReadConsoleInputW(conin, &r, 1, &count)) {
        return false;
      }
      if (count == 1 && isKeyPress(r)) {
        return true;
      }
    }
    return true;
  }
}

}  // namespace

void prepareConsole() {
  // Bytes pass through unchanged; a C runtime in text mode would turn every
  // line feed into CR LF and take Ctrl+Z in a file for its end.
  ::_setmode(::_fileno(stdin), _O_BINARY);
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
  streams();
}

std::vector<std::string> commandLineArguments(int /*argc*/, char** /*argv*/) {
  std::vector<std::string> words;
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) {
    return words;
  }
  for (int i = 1; i < count; ++i) {
    const std::wstring_view word(wide[i]);
    const std::u16string_view units(reinterpret_cast<const char16_t*>(word.data()), word.size());
    char16_t pending_high = 0;
    words.push_back(utf8FromUtf16(units, /*more_may_follow=*/false, &pending_high));
  }
  ::LocalFree(wide);
  return words;
}

std::size_t readInput(char* buffer, std::size_t capacity) {
  const Stream& in = streams().in;
  if (in.handle == nullptr) {
    return 0;
  }
  if (in.is_console) {
    return readConsoleInput(in.handle, buffer, capacity);
  }
  return readFileInput(in, buffer, capacity);
}

bool writeOutput(std::string_view bytes) {
  const Stream& out = streams().out;
  if (out.handle == nullptr) {
    return false;
  }
  if (out.is_console) {
    return writeConsoleUnits(out.handle, consoleText(bytes, g_output_pending));
  }
  return writeFileBytes(out.handle, bytes);
}

bool outputIsTerminal() { return streams().out.is_console; }

// The same for every kind of output: a console is written in small pieces
// anyway (writeConsoleUnits), and WriteFile takes a large one in one call.
std::size_t outputBlockSize() { return std::size_t{1} << 20; }

void writeDiagnostic(std::string_view line) {
  const Stream& err = streams().err;
  if (err.handle == nullptr) {
    return;
  }
  std::string text(line);
  text.push_back('\n');
  if (err.is_console) {
    std::string pending;
    writeConsoleUnits(err.handle, consoleText(text, pending));
  } else {
    writeFileBytes(err.handle, text);
  }
}

void waitForKeyPress() {
  const Stream& in = streams().in;
  if (in.is_console) {
    keepTypedAheadLines(in.handle);
  }
  // The console's keyboard, even when standard input is a file or a pipe.
  const HANDLE conin =
      ::CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
  if (conin == INVALID_HANDLE_VALUE) {
    return;  // no console: go on at once
  }
  DWORD mode = 0;
  // The console's settings are not changed: an event read takes one key
  // without echo or Enter in any mode, and Ctrl+C keeps ending the program
  // through the console's own handler.
  if (::GetConsoleMode(conin, &mode)) {
    consumeOneKey(conin);
  }
  ::CloseHandle(conin);
}

FileRead readFile(std::string_view path, std::size_t most, std::string* bytes) {
  std::string pending;
  const std::u16string name = utf16FromUtf8(path, &pending);
  const std::wstring wide(name.begin(), name.end());
  HANDLE h = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    return FileRead::CannotOpen;
  }
  bytes->clear();
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (ReadFile(h, buffer, sizeof buffer, &got, nullptr) == 0) {
      CloseHandle(h);
      return FileRead::Failed;
    }
    if (got == 0) {
      break;
    }
    if (bytes->size() + got > most) {
      bytes->clear();
      CloseHandle(h);
      return FileRead::TooLarge;
    }
    bytes->append(buffer, got);
  }
  CloseHandle(h);
  return FileRead::Read;
}

}  // namespace quorvale::platform
