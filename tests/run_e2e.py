#!/usr/bin/env python3
"""End-to-end checks of the built quorvale program.

  run_e2e.py transcript PROGRAM NAME.in   standard output must equal NAME.out
  run_e2e.py full-disk  PROGRAM NAME.in   output to /dev/full must fail the run
  run_e2e.py closed-pipe PROGRAM          output to a closed pipe must fail it
  run_e2e.py key-press  PROGRAM           the key wait on a real terminal

A transcript is a pair of files: NAME.in is fed to standard input, NAME.out
holds the exact bytes expected on standard output; the exit status must be
0 and standard error empty. Each transcript runs twice, once with no locale
variables at all and once under a UTF-8 locale: the output must not depend
on them. The program runs in a session of its own, without a controlling
terminal, so the key wait before a task's answer goes on at once.
"""

import fcntl
import os
import pty
import select
import signal
import subprocess
import sys
import termios
import time

LOCALE_VARIABLES = ("LANG", "LANGUAGE", "LC_ALL", "LC_CTYPE", "LC_MESSAGES")
TIMEOUT = 60
SKIP = 77  # CTest's SKIP_RETURN_CODE for these tests


def environment(locale):
    env = {k: v for k, v in os.environ.items() if k not in LOCALE_VARIABLES}
    if locale is not None:
        env["LC_ALL"] = locale
    return env


def first_difference(actual, expected):
    n = next((i for i, (a, b) in enumerate(zip(actual, expected)) if a != b),
             min(len(actual), len(expected)))
    line = expected[:n].count(b"\n") + 1
    return (f"first difference at byte {n} (line {line}):\n"
            f"  expected: {expected[max(0, n - 40):n + 40]!r}\n"
            f"  actual:   {actual[max(0, n - 40):n + 40]!r}")


def transcript(program, input_path):
    base = input_path[:-len(".in")] if input_path.endswith(".in") else input_path
    with open(base + ".out", "rb") as f:
        expected = f.read()
    failures = 0
    for locale in (None, "C.UTF-8"):
        label = "no locale variables" if locale is None else f"LC_ALL={locale}"
        with open(base + ".in", "rb") as stdin:
            run = subprocess.run([program], stdin=stdin, capture_output=True,
                                 env=environment(locale), start_new_session=True,
                                 timeout=TIMEOUT)
        problems = []
        if run.returncode != 0:
            problems.append(f"exit status {run.returncode}, expected 0")
        if run.stderr:
            problems.append(f"standard error: {run.stderr[:200]!r}")
        if run.stdout != expected:
            problems.append(first_difference(run.stdout, expected))
        if problems:
            failures += 1
            print(f"FAIL {os.path.basename(base)} with {label}:")
            for p in problems:
                print("  " + p)
    return 1 if failures else 0


def full_disk(program, input_path):
    if not os.path.exists("/dev/full"):
        print("no /dev/full on this system")
        return SKIP
    with open(input_path, "rb") as stdin, open("/dev/full", "wb") as full:
        run = subprocess.run([program], stdin=stdin, stdout=full, stderr=subprocess.PIPE,
                             env=environment(None), start_new_session=True,
                             timeout=TIMEOUT)
    lines = run.stderr.decode("utf-8", "replace").splitlines()
    if run.returncode == 0 or len(lines) != 1:
        print(f"FAIL: exit status {run.returncode} (want non-zero), "
              f"standard error {run.stderr!r} (want one line)")
        return 1
    return 0


def closed_pipe(program):
    # Far more menus than a pipe holds: the program must block on the full
    # pipe and then find it closed, whenever the close happens.
    proc = subprocess.Popen([program], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, env=environment(None),
                            start_new_session=True)
    proc.stdout.close()
    try:
        proc.stdin.write(b"e\n" + b"6\n" * 200_000 + b"5\n")
        proc.stdin.close()
    except BrokenPipeError:
        pass
    status = proc.wait(timeout=TIMEOUT)
    if status == 0:
        print("FAIL: output to a closed pipe was reported as success")
        return 1
    return 0


class Terminal:
    """A pseudo-terminal that becomes the program's controlling terminal,
    while standard input and output stay pipes."""

    def __init__(self, program, stdin_bytes=None):
        """With stdin_bytes, standard input is a pipe holding them; without,
        standard input is the terminal too and answers are typed on it."""
        self.master, self.slave = pty.openpty()
        slave = self.slave

        def become_session_leader_on_the_terminal():
            os.setsid()
            fcntl.ioctl(slave, termios.TIOCSCTTY, 0)

        stdin = subprocess.PIPE if stdin_bytes is not None else slave
        self.proc = subprocess.Popen([program], stdin=stdin, stdout=subprocess.PIPE,
                                     stderr=subprocess.PIPE, env=environment(None),
                                     pass_fds=[slave],
                                     preexec_fn=become_session_leader_on_the_terminal)
        if stdin_bytes is not None:
            self.proc.stdin.write(stdin_bytes)
            self.proc.stdin.close()
            self.proc.stdin = None  # so that communicate() leaves it alone
        self.output = b""

    def read_until(self, marker, count=1):
        deadline = time.monotonic() + TIMEOUT
        fd = self.proc.stdout.fileno()
        while self.output.count(marker) < count:
            if time.monotonic() > deadline:
                raise TimeoutError(f"no {marker!r} in {self.output[-200:]!r}")
            ready, _, _ = select.select([fd], [], [], 0.1)
            if ready:
                chunk = os.read(fd, 65536)
                if not chunk:
                    raise EOFError(f"output ended before {marker!r}: {self.output[-200:]!r}")
                self.output += chunk

    def settle_in_raw_mode(self):
        # The program switches the terminal after writing the request.
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:
            if not self.line_mode():
                return
            time.sleep(0.01)
        raise TimeoutError("the terminal was never switched to single keys")

    def line_mode(self):
        lflag = termios.tcgetattr(self.slave)[3]
        return bool(lflag & termios.ICANON) and bool(lflag & termios.ECHO)

    def finish(self):
        rest, _ = self.proc.communicate(timeout=TIMEOUT)
        self.output += rest
        return self.proc.returncode

    def leftover_keys(self):
        # Whatever the program left unread on the terminal.
        attrs = termios.tcgetattr(self.slave)
        raw = list(attrs)
        raw[3] &= ~termios.ICANON
        raw[6] = list(raw[6])
        raw[6][termios.VMIN] = 0
        raw[6][termios.VTIME] = 0
        termios.tcsetattr(self.slave, termios.TCSANOW, raw)
        try:
            return os.read(self.slave, 100)
        except BlockingIOError:
            return b""
        finally:
            termios.tcsetattr(self.slave, termios.TCSANOW, attrs)

    def close(self):
        os.close(self.master)
        os.close(self.slave)


def key_press(program):
    press = b"Press any key to see the answer: "
    failures = []

    # Two tasks answered with a two-byte letter and an arrow key: each key is
    # consumed whole, nothing is echoed, the answers come from standard input
    # and the terminal is back in line mode afterwards.
    term = Terminal(program, b"e\n4 5\n4 6\n5\n")
    try:
        for n, key in ((1, "ж".encode()), (2, b"\x1b[A")):
            term.read_until(press, n)
            term.settle_in_raw_mode()
            os.write(term.master, key)
        status = term.finish()
        if status != 0:
            failures.append(f"exit status {status}")
        if term.output.count(press + b"\n") != 2:
            failures.append("the request to press a key is not ended by a line end twice")
        if not term.line_mode():
            failures.append("terminal settings not restored after the key")
        left = term.leftover_keys()
        if left:
            failures.append(f"bytes of a key left on the terminal: {left!r}")
        ready, _, _ = select.select([term.master], [], [], 0)
        if ready:
            failures.append(f"echoed: {os.read(term.master, 100)!r}")
    finally:
        term.close()

    # Interrupted during the wait: the terminal is restored and the process
    # ends by the signal.
    term = Terminal(program, b"e\n4 5\n5\n")
    try:
        term.read_until(press)
        term.settle_in_raw_mode()
        term.proc.send_signal(signal.SIGINT)
        status = term.finish()
        if status != -signal.SIGINT:
            failures.append(f"after SIGINT: exit status {status}, expected death by SIGINT")
        if not term.line_mode():
            failures.append("terminal settings not restored after SIGINT")
    finally:
        term.close()

    # Standard input is the terminal: lines typed ahead before the key wait
    # stay answers ("6" a menu word that brings the menu back) and the wait
    # still takes a fresh key.
    term = Terminal(program)
    try:
        term.read_until(b"(r/e)?   ")
        os.write(term.master, b"e\n")
        term.read_until(b"5 - exit.  ")
        os.write(term.master, b"4\n5\n6\n")
        term.read_until(press)
        term.settle_in_raw_mode()
        time.sleep(0.2)
        if b"Litter: " in term.output:
            failures.append("a line typed ahead was taken as the key")
        os.write(term.master, b"k")
        term.read_until(b"5 - exit.  ", 3)
        os.write(term.master, b"5\n")
        status = term.finish()
        if status != 0:
            failures.append(f"typed ahead: exit status {status}")
        after_key = term.output.split(press + b"\n", 1)[-1]
        if after_key.count(b"5 - exit.  ") != 2:
            failures.append(f"typed-ahead menu word lost: {after_key[-300:]!r}")
    finally:
        term.close()

    for f in failures:
        print("FAIL: " + f)
    return 1 if failures else 0


def main(argv):
    if len(argv) < 3:
        print(__doc__)
        return 2
    mode, program = argv[1], argv[2]
    if mode == "transcript" and len(argv) == 4:
        return transcript(program, argv[3])
    if mode == "full-disk" and len(argv) == 4:
        return full_disk(program, argv[3])
    if mode == "closed-pipe":
        return closed_pipe(program)
    if mode == "key-press":
        try:
            return key_press(program)
        except (TimeoutError, EOFError, subprocess.TimeoutExpired) as error:
            print(f"FAIL: {error}")
            return 1
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
