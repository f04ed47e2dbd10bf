// The platform layer on POSIX systems: plain read() and write() on file
// descriptors 0 and 1, and termios on the controlling terminal for the key
// press.

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <string>

#include "console/platform.h"

namespace quorvale::platform {

namespace {

// Waits until fd is ready for the given poll events. Returns false when it is
// not ready within timeout_ms (negative waits for ever) or poll fails.
bool waitReady(int fd, short events, int timeout_ms) {
  for (;;) {
    pollfd p{};
    p.fd = fd;
    p.events = events;
    const int r = ::poll(&p, 1, timeout_ms);
    if (r > 0) {
      return true;
    }
    if (r == 0) {
      return false;
    }
    if (errno != EINTR) {
      return false;
    }
  }
}

// Writes all of bytes to fd. False on any failure other than an interrupted
// or would-block call, which are retried.
bool writeAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n > 0) {
      p += n;
      left -= static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) {
      continue;
    }
    // Someone left the descriptor non-blocking: wait until it takes more
    // instead of spinning.
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && waitReady(fd, POLLOUT, -1)) {
      continue;
    }
    return false;
  }
  return true;
}

// The terminal being waited on, for the signal handlers, and the user's
// settings, which go back on every way out of the wait. Only the handlers
// change g_saved_tty while the wait is on; the waiting code reads it with
// the handled signals blocked.
volatile std::sig_atomic_t g_tty_fd = -1;
termios g_saved_tty{};

// Single keys without echo, the rest of the user's settings kept.
// Async-signal-safe.
bool enterSingleKeyMode(int fd) {
  termios raw = g_saved_tty;
  raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  return ::tcsetattr(fd, TCSANOW, &raw) == 0;
}

void setDefaultAction(int signal_number) {
  struct sigaction default_action {};
  default_action.sa_handler = SIG_DFL;
  sigemptyset(&default_action.sa_mask);
  ::sigaction(signal_number, &default_action, nullptr);
}

extern "C" void restoreTerminalAndReraise(int signal_number) {
  const int fd = g_tty_fd;
  if (fd >= 0) {
    ::tcsetattr(fd, TCSANOW, &g_saved_tty);
  }
  // End the way the signal would have ended the process without us: the
  // default action, delivered as soon as this handler returns.
  setDefaultAction(signal_number);
  ::raise(signal_number);
}

// Ctrl-Z: the terminal goes back to the user's settings and the process
// stops as it would without us, so the shell gets a terminal in line mode
// with echo. SIGCONT stays blocked until this handler returns, so the
// resumption is handled by continueWaiting, whatever resumed the process.
extern "C" void restoreTerminalAndStop(int /*signal_number*/) {
  const int saved_errno = errno;
  const int fd = g_tty_fd;
  if (fd >= 0) {
    ::tcsetattr(fd, TCSANOW, &g_saved_tty);
  }
  struct sigaction ours {};
  ::sigaction(SIGTSTP, nullptr, &ours);
  setDefaultAction(SIGTSTP);
  // Pending until SIGTSTP is unblocked, then the process stops right there.
  ::raise(SIGTSTP);
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTSTP);
  ::sigprocmask(SIG_UNBLOCK, &stop, nullptr);
  // Resumed. A further Ctrl-Z waits for this handler to return.
  ::sigprocmask(SIG_BLOCK, &stop, nullptr);
  ::sigaction(SIGTSTP, &ours, nullptr);
  errno = saved_errno;
}

// Resumed after a stop: when the terminal is no longer in single-key mode
// (this process put the user's settings back for Ctrl-Z, or the shell put
// its own back), the settings found now are the ones to restore at the end
// (the user may have changed them on purpose while the process was stopped)
// and the wait goes on with single keys again. Resumed in the background,
// the change of settings stops the process (SIGTTOU) until it is in the
// foreground again.
extern "C" void continueWaiting(int /*signal_number*/) {
  const int saved_errno = errno;
  const int fd = g_tty_fd;
  termios now{};
  if (fd >= 0 && ::tcgetattr(fd, &now) == 0 &&
      (now.c_lflag & static_cast<tcflag_t>(ICANON | ECHO)) != 0) {
    g_saved_tty = now;
    enterSingleKeyMode(fd);
  }
  errno = saved_errno;
}

// Every signal the wait handles, and how: the ones that end the process
// (Ctrl-C, Ctrl-\, a termination request, the terminal hanging up), Ctrl-Z
// and the resumption after a stop.
struct SignalHandling {
  int signal_number;
  void (*handler)(int);
};
constexpr SignalHandling kHandledSignals[] = {
    {SIGINT, restoreTerminalAndReraise},  {SIGQUIT, restoreTerminalAndReraise},
    {SIGTERM, restoreTerminalAndReraise}, {SIGHUP, restoreTerminalAndReraise},
    {SIGTSTP, restoreTerminalAndStop},    {SIGCONT, continueWaiting},
};
constexpr int kHandledSignalCount = sizeof(kHandledSignals) / sizeof(kHandledSignals[0]);

sigset_t handledSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (const SignalHandling& h : kHandledSignals) {
    sigaddset(&set, h.signal_number);
  }
  return set;
}

// What the wait's handlers replaced, to be put back afterwards.
struct InstalledHandlers {
  struct sigaction previous[kHandledSignalCount] = {};
  bool installed[kHandledSignalCount] = {};
};

void installHandlers(InstalledHandlers& handlers) {
  for (int i = 0; i < kHandledSignalCount; ++i) {
    const int s = kHandledSignals[i].signal_number;
    if (::sigaction(s, nullptr, &handlers.previous[i]) != 0) {
      continue;
    }
    // A signal the user chose to ignore (nohup, a shell without job control)
    // stays ignored.
    if (handlers.previous[i].sa_handler == SIG_IGN) {
      continue;
    }
    struct sigaction action {};
    action.sa_handler = kHandledSignals[i].handler;
    // No handler interrupts another: each reads or changes the settings.
    action.sa_mask = handledSignals();
    handlers.installed[i] = ::sigaction(s, &action, nullptr) == 0;
  }
}

void restoreHandlers(const InstalledHandlers& handlers) {
  for (int i = 0; i < kHandledSignalCount; ++i) {
    if (handlers.installed[i]) {
      ::sigaction(kHandledSignals[i].signal_number, &handlers.previous[i], nullptr);
    }
  }
}

// Reads one byte from the terminal. With timeout_ms >= 0 gives up when none
// arrives in that time; that is how the tail of a multi-byte key is told
// from a separate key press. False on time-out, end of file or error.
bool readTerminalByte(int fd, int timeout_ms, unsigned char* byte) {
  if (timeout_ms >= 0 && !waitReady(fd, POLLIN, timeout_ms)) {
    return false;
  }
  for (;;) {
    const ssize_t n = ::read(fd, byte, 1);
    if (n == 1) {
      return true;
    }
    if (n < 0 && errno == EINTR) {
      continue;
    }
    return false;
  }
}

// The bytes of one key arrive together; a pause this long ends the key.
constexpr int kKeyTailTimeoutMs = 50;

// Consumes the continuation bytes of a UTF-8 sequence that starts with lead.
void consumeUtf8Tail(int fd, unsigned char lead) {
  int more = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    more = 1;
  }
  if (lead >= 0xE0 && lead <= 0xEF) {
    more = 2;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    more = 3;
  }
  unsigned char b = 0;
  for (int i = 0; i < more && readTerminalByte(fd, kKeyTailTimeoutMs, &b); ++i) {
  }
}

// Consumes what follows ESC when the key was an arrow, a function key or
// Alt with a letter: "ESC [ params final", "ESC O x", or "ESC letter". A lone
// Escape press is followed by nothing and ends at the time-out.
void consumeEscapeTail(int fd) {
  unsigned char b = 0;
  if (!readTerminalByte(fd, kKeyTailTimeoutMs, &b)) {
    return;
  }
  if (b == 'O') {
    readTerminalByte(fd, kKeyTailTimeoutMs, &b);
    return;
  }
  if (b != '[') {
    consumeUtf8Tail(fd, b);
    return;
  }
  // A control sequence: parameter and intermediate bytes up to a final byte
  // from '@' to '~'. The Linux console sends F1-F5 as "ESC [ [ letter".
  bool first = true;
  for (int i = 0; i < 64 && readTerminalByte(fd, kKeyTailTimeoutMs, &b); ++i) {
    if (first && b == '[') {
      readTerminalByte(fd, kKeyTailTimeoutMs, &b);
      return;
    }
    first = false;
    if (b >= 0x40 && b <= 0x7E) {
      return;
    }
  }
}

// Lines the user typed ahead on a terminal that is also standard input,
// taken out of the terminal before the key wait (see keepTypedAheadLines)
// and handed out by readInput before anything else.
std::string g_typed_ahead;
std::size_t g_typed_ahead_pos = 0;
bool g_typed_ahead_ended = false;  // the end of input was among them

// When standard input is a terminal, whole lines typed ahead are waiting in
// the terminal's line buffer, where the single-key read would see them as
// key presses. Move them to g_typed_ahead first, so they stay answers to
// the next prompts and the key wait takes a fresh key. In line mode the
// terminal reports only whole lines as ready, so a line being typed is not
// cut.
void keepTypedAheadLines() {
  if (::isatty(STDIN_FILENO) != 1 || g_typed_ahead_ended) {
    return;
  }
  constexpr std::size_t kMaxTypedAhead = std::size_t{1} << 20;
  char buffer[4096];
  while (g_typed_ahead.size() < kMaxTypedAhead && waitReady(STDIN_FILENO, POLLIN, 0)) {
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      // Ctrl-D at the start of a line, or a read error: the input has ended
      // after what was typed ahead.
      g_typed_ahead_ended = true;
      return;
    }
    g_typed_ahead.append(buffer, static_cast<std::size_t>(n));
  }
}

void consumeOneKey(int fd) {
  unsigned char b = 0;
  if (!readTerminalByte(fd, -1, &b)) {
    return;
  }
  if (b == 0x1B) {
    consumeEscapeTail(fd);
  } else {
    consumeUtf8Tail(fd, b);
  }
}

}  // namespace

void prepareConsole() {
  // Nothing to do: bytes go in and out unchanged, and the program converts
  // UTF-8 itself, whatever the locale says.
}

std::vector<std::string> commandLineArguments(int argc, char** argv) {
  std::vector<std::string> words;
  for (int i = 1; i < argc; ++i) {
    words.emplace_back(argv[i]);
  }
  return words;
}

std::size_t readInput(char* buffer, std::size_t capacity) {
  if (g_typed_ahead_pos < g_typed_ahead.size()) {
    const std::size_t n = std::min(capacity, g_typed_ahead.size() - g_typed_ahead_pos);
    std::copy_n(g_typed_ahead.data() + g_typed_ahead_pos, n, buffer);
    g_typed_ahead_pos += n;
    if (g_typed_ahead_pos == g_typed_ahead.size()) {
      g_typed_ahead.clear();
      g_typed_ahead_pos = 0;
    }
    return n;
  }
  if (g_typed_ahead_ended) {
    return 0;
  }
  for (;;) {
    const ssize_t n = ::read(STDIN_FILENO, buffer, capacity);
    if (n >= 0) {
      return static_cast<std::size_t>(n);
    }
    if (errno == EINTR) {
      continue;
    }
    if ((errno == EAGAIN || errno == EWOULDBLOCK) && waitReady(STDIN_FILENO, POLLIN, -1)) {
      continue;
    }
    return 0;
  }
}

bool writeOutput(std::string_view bytes) { return writeAll(STDOUT_FILENO, bytes); }

bool outputIsTerminal() { return ::isatty(STDOUT_FILENO) == 1; }

std::size_t outputBlockSize() {
  constexpr std::size_t kLargeBlock = std::size_t{1} << 20;
#ifdef F_SETPIPE_SZ
  // A pipe holds 64 KiB by default, and a larger write is taken in turns
  // with the reader, a switch each time; a pipe that holds a whole piece
  // takes it in one go. Failing here (a system limit for the user) is fine.
  struct stat st {};
  if (::fstat(STDOUT_FILENO, &st) == 0 && S_ISFIFO(st.st_mode)) {
    ::fcntl(STDOUT_FILENO, F_SETPIPE_SZ, static_cast<int>(kLargeBlock));
    const int capacity = ::fcntl(STDOUT_FILENO, F_GETPIPE_SZ);
    if (capacity > 0) {
      return std::min(static_cast<std::size_t>(capacity), kLargeBlock);
    }
  }
#endif
  return kLargeBlock;
}

void writeDiagnostic(std::string_view line) {
  std::string text(line);
  text.push_back('\n');
  writeAll(STDERR_FILENO, text);
}

void waitForKeyPress() {
  keepTypedAheadLines();
  const int fd = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    return;  // no controlling terminal: go on at once
  }
  // The handled signals wait while the settings and the handlers change
  // hands, so a handler never sees them half set up or half taken down.
  const sigset_t handled = handledSignals();
  sigset_t unblocked;
  ::sigprocmask(SIG_BLOCK, &handled, &unblocked);
  if (::tcgetattr(fd, &g_saved_tty) != 0) {
    ::sigprocmask(SIG_SETMASK, &unblocked, nullptr);
    ::close(fd);
    return;
  }
  g_tty_fd = fd;
  InstalledHandlers handlers;
  installHandlers(handlers);
  const bool single_key = enterSingleKeyMode(fd);
  ::sigprocmask(SIG_SETMASK, &unblocked, nullptr);

  if (single_key) {
    consumeOneKey(fd);
  }

  ::sigprocmask(SIG_BLOCK, &handled, nullptr);
  if (single_key) {
    ::tcsetattr(fd, TCSANOW, &g_saved_tty);
  }
  restoreHandlers(handlers);
  g_tty_fd = -1;
  // A signal that came meanwhile now takes its usual course, with the
  // terminal already restored.
  ::sigprocmask(SIG_SETMASK, &unblocked, nullptr);
  ::close(fd);
}

FileRead readFile(std::string_view path, std::size_t most, std::string* bytes) {
  const std::string name(path);
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg): open takes its flags so
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    return FileRead::CannotOpen;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    return FileRead::CannotOpen;
  }
  bytes->clear();
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      ::close(fd);
      return FileRead::Failed;
    }
    if (got == 0) {
      break;
    }
    if (bytes->size() + static_cast<std::size_t>(got) > most) {
      bytes->clear();
      ::close(fd);
      return FileRead::TooLarge;
    }
    bytes->append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return FileRead::Read;
}

}  // namespace quorvale::platform
