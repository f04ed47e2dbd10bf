#!/usr/bin/env python3
"""A Russian session of quorvale.exe on a console, under Wine.

  console_session.py QUORVALE_EXE

When quorvale.exe is started from a terminal, Wine gives it a console on
that terminal, so the program takes its console paths: answers read as
UTF-16 lines from the console, text written as UTF-16 to it, the key press
before a task's answer read as one console key event. This test drives such
a session on a pseudo-terminal:

  - the answers and the Cyrillic text arrive intact: the console shows
    what the program writes to a pipe for the same answers, plus the echo
    of the answers;
  - a Cyrillic letter and an arrow key each answer one key wait, whole:
    nothing of them is echoed or left over for the next answer, and lines
    typed ahead before the wait stay answers to the next prompts;
  - Ctrl+C during the key wait ends the program, and the terminal is left
    in line mode with echo. (Wine gives no exit status for it, and ignores
    a typed Ctrl+C, so the test sends the signal.)

The console draws blanks and tabs as cursor moves, so the text is compared
without its white space and escape sequences.
"""

import os
import pty
import re
import select
import signal
import subprocess
import sys
import termios
import time

TIMEOUT = 60
WINE = os.environ.get("QUORVALE_WINE", "wine")
ESCAPE_SEQUENCE = re.compile(rb"\x1b(\[[0-9;?]*[ -/]*[@-~]|\][^\x07]*\x07|[@-Z\\-_])")
PRESS_KEY = "Нажмителюбуюклавишу,чтобыувидетьответ:"

# Language, then two easy tasks answered with a Cyrillic letter and with the
# Up arrow, then the end. A terminal's Enter key sends CR.
ANSWERS = ["r", "4", "5", "4", "7", "5"]
KEYS = ["ж".encode(), b"\x1b[A"]
# What is typed, and when. The second task's answers are typed ahead, before
# the first key wait: they must stay answers, not become the key press.
# ("key", n) waits for the n+1th request to press a key and presses KEYS[n].
STEPS = [("type", 0), ("type", 1), ("type", 2), ("type", 3), ("type", 4),
         ("key", 0), ("key", 1), ("type", 5)]


def environment():
    env = dict(os.environ)
    env["LC_ALL"] = "C.UTF-8"  # the terminal's character set, for Wine
    env.setdefault("WINEDEBUG", "-all")
    return env


def squeeze(raw):
    """The text without escape sequences and white space."""
    text = ESCAPE_SEQUENCE.sub(b"", raw).decode("utf-8", "replace")
    return "".join(text.split())


class ConsoleSession:
    def __init__(self, exe):
        self.master, self.slave = pty.openpty()
        slave = self.slave
        self.proc = subprocess.Popen([WINE, exe], stdin=slave, stdout=slave, stderr=slave,
                                     env=environment(), start_new_session=True)
        self.raw = b""

    def text(self):
        return squeeze(self.raw)

    def read_until(self, marker, count=1):
        deadline = time.monotonic() + TIMEOUT
        while self.text().count(marker) < count:
            if time.monotonic() > deadline:
                raise TimeoutError(f"no {marker!r} on the console: ...{self.text()[-300:]!r}")
            self.read_some(0.1)

    def read_some(self, wait):
        ready, _, _ = select.select([self.master], [], [], wait)
        if ready:
            try:
                self.raw += os.read(self.master, 65536)
            except OSError:  # the other side is gone
                time.sleep(wait)

    def wait_for_console_mode(self):
        # Wine's console takes the terminal into raw mode only once the
        # program runs; keys typed before that would go through the line
        # discipline (Enter becoming a line feed).
        deadline = time.monotonic() + TIMEOUT
        while self.line_mode():
            if time.monotonic() > deadline:
                raise TimeoutError("the console never took the terminal into raw mode")
            self.read_some(0.05)

    def type(self, data):
        os.write(self.master, data)

    def finish(self):
        deadline = time.monotonic() + TIMEOUT
        while self.proc.poll() is None:
            if time.monotonic() > deadline:
                self.proc.kill()
                raise TimeoutError(f"the program did not end: ...{self.text()[-300:]!r}")
            self.read_some(0.1)
        self.read_some(0.2)
        return self.proc.returncode

    def line_mode(self):
        lflag = termios.tcgetattr(self.slave)[3]
        return bool(lflag & termios.ICANON) and bool(lflag & termios.ECHO)

    def close(self):
        os.close(self.master)
        os.close(self.slave)


def reference_text(exe):
    """The session as the program writes it to a pipe, where the key waits
    go on at once; the transcripts check these bytes exactly."""
    run = subprocess.run([WINE, exe], input="\n".join(ANSWERS).encode() + b"\n",
                         capture_output=True, env=environment(), timeout=TIMEOUT)
    return squeeze(run.stdout)


def echo_merge_problem(shown, expected, answers):
    """What the console shows is the expected text with each answer echoed
    where it was typed. Returns what is wrong, or None. (No text the
    program writes right after a prompt starts with a digit or "r".)"""
    i = j = k = 0
    while i < len(shown):
        if j < len(expected) and shown[i] == expected[j]:
            i += 1
            j += 1
        elif k < len(answers) and shown.startswith(answers[k], i):
            i += len(answers[k])
            k += 1
        else:
            return (f"the console shows {shown[max(0, i - 30):i + 30]!r} where "
                    f"{expected[max(0, j - 30):j + 30]!r} was expected")
    if j < len(expected):
        return f"the console is missing {expected[j:j + 60]!r}"
    return None


def full_session(exe, failures):
    session = ConsoleSession(exe)
    try:
        session.read_until("Russian/English(r/e)?")
        session.wait_for_console_mode()
        for what, n in STEPS:
            if what == "type":
                session.type(ANSWERS[n].encode() + b"\r")
            else:
                session.read_until(PRESS_KEY, n + 1)
                session.type(KEYS[n])
                # Keys typed before the program starts waiting would be
                # typed ahead themselves; wait for the answer to show.
                session.read_until("Окрассамца:", n + 1)
        status = session.finish()
        if status != 0:
            failures.append(f"exit status {status}, expected 0")
        shown = session.text()
        problem = echo_merge_problem(shown, reference_text(exe), ANSWERS)
        if problem:
            failures.append(problem)
        # Right after each request to press a key comes the answer (after
        # the echo of lines typed ahead): the key itself is neither echoed
        # nor left for the next answer.
        for after in shown.split(PRESS_KEY)[1:]:
            if not after.lstrip("0123456789").startswith("Окрассамца:"):
                failures.append(f"the key left a trace on the console: {after[:40]!r}")
        if not session.line_mode():
            failures.append("the terminal is not in line mode with echo after the run")
    finally:
        session.close()


def interrupted_session(exe, failures):
    session = ConsoleSession(exe)
    try:
        session.read_until("Russian/English(r/e)?")
        session.wait_for_console_mode()
        session.type(b"e\r4\r5\r")
        session.read_until("Pressanykeytoseetheanswer:")
        time.sleep(0.3)
        # Wine's console swallows a typed Ctrl+C; the signal is what Wine
        # turns into the console's Ctrl+C event.
        session.proc.send_signal(signal.SIGINT)
        session.finish()
        if "Male:" in session.text():
            failures.append("Ctrl+C during the key wait was taken as the key")
        if not session.line_mode():
            failures.append("the terminal is not in line mode with echo after Ctrl+C")
    finally:
        session.close()


def main(argv):
    if len(argv) != 2:
        print(__doc__)
        return 2
    failures = []
    try:
        full_session(argv[1], failures)
        interrupted_session(argv[1], failures)
    except (TimeoutError, subprocess.TimeoutExpired) as error:
        failures.append(str(error))
    for f in failures:
        print("FAIL: " + f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
