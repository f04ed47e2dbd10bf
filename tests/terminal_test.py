#!/usr/bin/env python3
"""The key press before a task's answer, typed on a real pseudo-terminal.

    keypress_pty_test.py QUORVALE_BINARY

The program runs with a new pseudo-terminal as its controlling terminal and
as its standard input and output, the way it runs in a terminal window (the
end-to-end runner's key-press test covers redirected input and keys of
several bytes). The checks: the answer waits for a key and comes after one
key without Enter; the key is not echoed, and a word typed ahead on the task
number's line still answers the next prompt; the terminal's echo and line
editing are back on after the program ends and after Ctrl-C typed during the
wait.
"""

import fcntl
import os
import select
import signal
import subprocess
import sys
import termios
import time

# Long enough for a slow sanitizer build; only reached when something fails.
TIMEOUT_S = 20.0
SKIP = 77  # CTest's SKIP_RETURN_CODE: this machine has no pseudo-terminals

PROMPT_LANGUAGE = b"(r/e)?   "
PROMPT_MENU = b"5 - exit.  "
PROMPT_KEY = b"Press any key to see the answer: "
# What follows the key when it is not echoed: the program's line end, then
# the report's empty line and the male's line.
AFTER_KEY = b"\r\n\r\nMale: "
# Task 7 of the easy kind is "ToY * LglgToto".
EASY_TASK_7_MALE = b"SH Yellow\r\n"


class Failure(Exception):
    pass


class Session:
    """One run of the program on its own pseudo-terminal."""

    def __init__(self, binary):
        self.master, self.slave = os.openpty()
        self.output = b""
        self.seen = 0  # output before this offset has been matched already

        def become_controlling_terminal():
            fcntl.ioctl(0, termios.TIOCSCTTY, 0)

        # The parent keeps the slave open so that the terminal's settings can
        # still be read after the program has ended.
        self.process = subprocess.Popen(
            [binary],
            stdin=self.slave,
            stdout=self.slave,
            stderr=self.slave,
            start_new_session=True,
            preexec_fn=become_controlling_terminal,
            env={"PATH": os.environ.get("PATH", "/usr/bin:/bin")},
        )

    def _read_some(self, timeout):
        ready, _, _ = select.select([self.master], [], [], timeout)
        if not ready:
            return False
        try:
            self.output += os.read(self.master, 65536)
        except OSError:
            return False
        return True

    def expect(self, text):
        """Waits for text; returns what came between the last match and it."""
        deadline = time.monotonic() + TIMEOUT_S
        while True:
            found = self.output.find(text, self.seen)
            if found >= 0:
                between = self.output[self.seen:found]
                self.seen = found + len(text)
                return between
            left = deadline - time.monotonic()
            if left <= 0 or (not self._read_some(left) and self.process.poll() is not None):
                raise Failure("never saw %r; the output ends with %r"
                              % (text, self.output[-300:]))

    def nothing_more_for(self, seconds):
        """True when no output arrives for that long."""
        before = len(self.output)
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            self._read_some(max(0.0, deadline - time.monotonic()))
        return len(self.output) == before

    def send(self, data):
        os.write(self.master, data)

    def line_editing_and_echo(self):
        """(ICANON, ECHO) of the terminal as the program leaves it."""
        lflag = termios.tcgetattr(self.slave)[3]
        return bool(lflag & termios.ICANON), bool(lflag & termios.ECHO)

    def wait_until_raw(self):
        """Waits until the program has switched the terminal for the key: the
        prompt is flushed just before that, so seeing it is not enough."""
        deadline = time.monotonic() + TIMEOUT_S
        while self.line_editing_and_echo() != (False, False):
            if time.monotonic() > deadline or self.process.poll() is not None:
                raise Failure("the terminal never became raw and silent for the key")
            time.sleep(0.01)

    def wait_for_exit(self):
        try:
            return self.process.wait(timeout=TIMEOUT_S)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end; the output ends with %r"
                          % self.output[-300:])

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        os.close(self.master)
        os.close(self.slave)


def check(condition, message):
    if not condition:
        raise Failure(message)


def start_easy_task(session, answer_line):
    session.expect(PROMPT_LANGUAGE)
    session.send(b"e\n")
    session.expect(PROMPT_MENU)
    session.send(answer_line)
    session.expect(PROMPT_KEY)
    session.wait_until_raw()


def key_without_enter_keeps_typed_ahead_word(binary):
    session = Session(binary)
    try:
        # "5" is typed ahead on the task number's line: it is the next menu
        # answer, not the key.
        start_easy_task(session, b"4 7 5\n")
        check(session.nothing_more_for(0.3), "the answer came before any key")
        session.send(b"x")  # no Enter
        check(session.expect(EASY_TASK_7_MALE) == AFTER_KEY,
              "the key was echoed or the answer does not follow it")
        check(session.wait_for_exit() == 0, "the typed-ahead 5 did not end the run")
        check(session.line_editing_and_echo() == (True, True),
              "echo and line editing are not back on after the run")
    finally:
        session.close()


def ctrl_c_during_the_wait_restores_the_terminal(binary):
    session = Session(binary)
    try:
        start_easy_task(session, b"4 7\n")
        session.send(b"\x03")
        status = session.wait_for_exit()
        check(status == -signal.SIGINT, "Ctrl-C ended the run with status %r" % status)
        check(session.line_editing_and_echo() == (True, True),
              "echo and line editing are not back on after Ctrl-C")
    finally:
        session.close()


TESTS = [
    key_without_enter_keeps_typed_ahead_word,
    ctrl_c_during_the_wait_restores_the_terminal,
]


def main():
    if len(sys.argv) != 2:
        print("usage: %s QUORVALE_BINARY" % sys.argv[0], file=sys.stderr)
        return 2
    binary = sys.argv[1]
    try:
        os.close(os.openpty()[0])
    except OSError as error:
        print("skipped: no pseudo-terminal (%s)" % error)
        return SKIP
    failed = 0
    for test in TESTS:
        try:
            test(binary)
            print("ok   %s" % test.__name__)
        except Failure as failure:
            failed += 1
            print("FAIL %s: %s" % (test.__name__, failure))
    print("%d passed, %d failed" % (len(TESTS) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
