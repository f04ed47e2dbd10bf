#!/usr/bin/env python3
"""The program on a real terminal: the key press before a task's answer, the
signals typed during it, and the end of input typed at a prompt.

    terminal_test.py PROGRAM [CASE...]

With no CASE every case runs. Each case opens a new pseudo-terminal and
plays the interactive shell on it: a process of this test leads a new
session whose controlling terminal is the pseudo-terminal, and starts the
program as a job with job control, in a process group of its own that owns
the terminal (the foreground group). The job's group is not orphaned (its
parent, the shell, is in another group of the same session), so Ctrl-Z
really stops it, as it does under a shell; the kernel would discard the stop
for an orphaned group. Standard input and output are the terminal, as in a
terminal window, or pipes, with only the key taken from the terminal.
"""

import errno
import fcntl
import os
import resource
import select
import signal
import sys
import termios
import time
import traceback

# Long enough for a slow sanitizer build; only reached when something fails.
TIMEOUT_S = 20.0
SKIP = 77  # CTest's SKIP_RETURN_CODE: this machine has no pseudo-terminals
LOCALE_VARIABLES = ("LANG", "LANGUAGE", "LC_ALL", "LC_CTYPE", "LC_MESSAGES")

PROMPT_LANGUAGE = b"(r/e)?   "
PROMPT_MENU = b"5 - exit.  "
PROMPT_KEY = b"Press any key to see the answer: "
# What follows the key when it is not echoed: the program's line end, then
# the report's empty line and the male's line.
AFTER_KEY = b"\r\n\r\nMale: "
# Task 7 of the easy kind is "ToY * LglgToto".
EASY_TASK_7_MALE = b"SH Yellow\r\n"

# The shell ignores these: it takes the terminal back from a job and sets
# it while the job owns it, and closing the terminal at the end of a case
# hangs it up.
SHELL_IGNORES = (signal.SIGTTOU, signal.SIGTTIN, signal.SIGHUP)

CTRL_C, CTRL_D, CTRL_BACKSLASH, CTRL_Z = b"\x03", b"\x04", b"\x1c", b"\x1a"


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Job:
    """One run of the program, started by this process acting as the shell
    on a new pseudo-terminal.

    With stdin_bytes, standard input is a pipe holding them; otherwise it is
    the terminal and answers are typed on it. With output_to_terminal false,
    standard output is a pipe, and whatever reaches the terminal is echo."""

    def __init__(self, program, stdin_bytes=None, output_to_terminal=True):
        self.master, self.slave = os.openpty()
        fcntl.ioctl(self.slave, termios.TIOCSCTTY, 0)
        self.output = b""
        self.seen = 0  # output before this offset has been matched already
        self.status = None  # as subprocess has it: exit status, or -signal
        self.stop_signal = None  # what stopped it last

        stdin, stdout = self.slave, self.slave
        to_close = []
        if stdin_bytes is not None:
            stdin, feed = os.pipe()
            to_close.append(stdin)
        if output_to_terminal:
            self.source = self.master
        else:
            self.source, stdout = os.pipe()
            to_close.append(stdout)
        env = {k: v for k, v in os.environ.items() if k not in LOCALE_VARIABLES}

        self.pid = os.fork()
        if self.pid == 0:
            try:
                # What a job-control shell does in the child: a group of its
                # own, the terminal to it, and every signal back to its
                # default action and unblocked, whatever this shell, Python
                # or whoever started the test changed (a background job of
                # a non-interactive shell ignores Ctrl-C and Ctrl-\).
                os.setpgid(0, 0)
                os.tcsetpgrp(self.slave, os.getpid())
                for s in signal.valid_signals():
                    try:
                        signal.signal(s, signal.SIG_DFL)
                    except OSError:  # SIGKILL and SIGSTOP
                        pass
                signal.pthread_sigmask(signal.SIG_SETMASK, [])
                # Ctrl-\ must not leave core files behind.
                resource.setrlimit(resource.RLIMIT_CORE, (0, 0))
                os.dup2(stdin, 0)
                os.dup2(stdout, 1)
                os.dup2(self.slave, 2)
                os.closerange(3, 1024)
                os.execve(program, [program], env)
            finally:
                os._exit(127)
        # Both sides set the group and the terminal, whichever runs first.
        try:
            os.setpgid(self.pid, self.pid)
        except OSError as error:
            if error.errno != errno.EACCES:  # it has already run exec
                raise
        os.tcsetpgrp(self.slave, self.pid)
        for fd in to_close:
            os.close(fd)
        if stdin_bytes is not None:
            os.write(feed, stdin_bytes)
            os.close(feed)

    def _read_some(self, timeout):
        ready, _, _ = select.select([self.source], [], [], timeout)
        if not ready:
            return False
        try:
            chunk = os.read(self.source, 65536)
        except OSError:
            return False
        self.output += chunk
        return bool(chunk)

    def expect(self, text):
        """Waits for text; returns what came between the last match and it."""
        deadline = time.monotonic() + TIMEOUT_S
        while True:
            found = self.output.find(text, self.seen)
            if found >= 0:
                between = self.output[self.seen:found]
                self.seen = found + len(text)
                return between
            if time.monotonic() > deadline or (
                    not self._read_some(0.1)
                    and (self.status is not None or self._poll() is not None)):
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
        """Types data on the terminal."""
        os.write(self.master, data)

    def local_modes(self):
        return termios.tcgetattr(self.slave)[3]

    def line_editing_and_echo(self):
        """(ICANON, ECHO) of the terminal as the program has it now."""
        lflag = self.local_modes()
        return bool(lflag & termios.ICANON), bool(lflag & termios.ECHO)

    def wait_for_single_key_mode(self):
        """Waits until the program has switched the terminal for the key: the
        request is flushed just before that, so seeing it is not enough."""
        deadline = time.monotonic() + TIMEOUT_S
        while self.line_editing_and_echo() != (False, False):
            if time.monotonic() > deadline or self._poll() is not None:
                raise Failure("the terminal never became raw and silent for the key")
            time.sleep(0.01)

    def _poll(self):
        """The job's change of state, if any: "stopped" or "ended"; the
        terminal is then the shell's again, as a shell takes it back."""
        pid, status = os.waitpid(self.pid, os.WNOHANG | os.WUNTRACED)
        if pid == 0:
            return None
        os.tcsetpgrp(self.slave, os.getpgrp())
        if os.WIFSTOPPED(status):
            self.stop_signal = os.WSTOPSIG(status)
            return "stopped"
        self.status = (-os.WTERMSIG(status) if os.WIFSIGNALED(status)
                       else os.WEXITSTATUS(status))
        return "ended"

    def wait(self, state):
        """Waits until the job has "stopped" or "ended", reading its output
        meanwhile."""
        deadline = time.monotonic() + TIMEOUT_S
        while True:
            now = self._poll()
            if now == state:
                # Output through the terminal may reach this side a little
                # after the program has ended.
                if now == "ended":
                    while self._read_some(0.3):
                        pass
                return
            if now is not None or time.monotonic() > deadline:
                raise Failure("the program did not come to %s (%s); the output ends with %r"
                              % (state, now or "no change", self.output[-300:]))
            self._read_some(0.01)

    def wait_for_exit(self):
        self.wait("ended")
        return self.status

    def resume_in_foreground(self):
        """What the shell's fg does."""
        os.tcsetpgrp(self.slave, self.pid)
        os.killpg(self.pid, signal.SIGCONT)

    def leftover_keys(self):
        """Whatever the program left unread on the terminal."""
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

    def echoed(self):
        """What reached the terminal when standard output is a pipe."""
        ready, _, _ = select.select([self.master], [], [], 0)
        return os.read(self.master, 100) if ready else b""

    def close(self):
        if self.status is None:
            try:
                os.killpg(self.pid, signal.SIGKILL)
                os.waitpid(self.pid, 0)
            except OSError:
                pass
        for fd in {self.master, self.slave, self.source}:
            os.close(fd)


def start_easy_task(job, answer_line):
    """Typed on the terminal: English, then answer_line at the menu."""
    job.expect(PROMPT_LANGUAGE)
    job.send(b"e\n")
    job.expect(PROMPT_MENU)
    job.send(answer_line)
    job.expect(PROMPT_KEY)
    job.wait_for_single_key_mode()


def keys_of_several_bytes_are_consumed_whole(program):
    # Two tasks answered with a two-byte letter and an arrow key: each key
    # is consumed whole, nothing is echoed, the answers come from standard
    # input and the terminal is back in line mode afterwards.
    job = Job(program, b"e\n4 5\n4 6\n5\n", output_to_terminal=False)
    try:
        for key in ("ж".encode(), b"\x1b[A"):
            job.expect(PROMPT_KEY)
            job.wait_for_single_key_mode()
            job.send(key)
        check(job.wait_for_exit() == 0, "exit status %r" % job.status)
        check(job.output.count(PROMPT_KEY + b"\n") == 2,
              "the request to press a key is not ended by a line end twice")
        check(job.line_editing_and_echo() == (True, True),
              "terminal settings not restored after the key")
        left = job.leftover_keys()
        check(not left, "bytes of a key left on the terminal: %r" % left)
        echoed = job.echoed()
        check(not echoed, "echoed: %r" % echoed)
    finally:
        job.close()


def signals_that_end_the_wait_restore_the_terminal(program):
    # A signal sent by another process, Ctrl-C and Ctrl-\ typed on the
    # terminal: each ends the run as the signal does, with the terminal's
    # echo and line editing back on.
    for how, sig in (("SIGINT sent", signal.SIGINT),
                     ("Ctrl-C", signal.SIGINT),
                     ("Ctrl-\\", signal.SIGQUIT)):
        if how == "SIGINT sent":
            job = Job(program, b"e\n4 5\n5\n", output_to_terminal=False)
        else:
            job = Job(program)
        try:
            if how == "SIGINT sent":
                job.expect(PROMPT_KEY)
                job.wait_for_single_key_mode()
                os.kill(job.pid, sig)
            else:
                start_easy_task(job, b"4 7\n")
                job.send(CTRL_C if sig == signal.SIGINT else CTRL_BACKSLASH)
            try:
                status = job.wait_for_exit()
            except Failure as failure:
                raise Failure("after %s: %s" % (how, failure))
            check(status == -sig, "after %s: exit status %r, expected death by %s"
                  % (how, status, sig.name))
            check(job.line_editing_and_echo() == (True, True),
                  "echo and line editing are not back on after %s" % how)
        finally:
            job.close()


def lines_typed_ahead_stay_answers(program):
    # Standard input is the terminal: lines typed ahead before the key wait
    # stay answers ("6" a menu word that brings the menu back) and the wait
    # still takes a fresh key.
    job = Job(program, output_to_terminal=False)
    try:
        job.expect(PROMPT_LANGUAGE)
        job.send(b"e\n")
        job.expect(PROMPT_MENU)
        job.send(b"4\n5\n6\n")
        job.expect(PROMPT_KEY)
        job.wait_for_single_key_mode()
        time.sleep(0.2)
        check(b"Litter: " not in job.output, "a line typed ahead was taken as the key")
        job.send(b"k")
        job.expect(PROMPT_MENU)
        job.expect(PROMPT_MENU)
        job.send(b"5\n")
        check(job.wait_for_exit() == 0, "typed ahead: exit status %r" % job.status)
        after_key = job.output.split(PROMPT_KEY + b"\n", 1)[-1]
        check(after_key.count(PROMPT_MENU) == 2,
              "typed-ahead menu word lost: %r" % after_key[-300:])
    finally:
        job.close()


def key_without_enter_keeps_typed_ahead_word(program):
    job = Job(program)
    try:
        # "5" is typed ahead on the task number's line: it is the next menu
        # answer, not the key.
        start_easy_task(job, b"4 7 5\n")
        check(job.nothing_more_for(0.3), "the answer came before any key")
        job.send(b"x")  # no Enter
        check(job.expect(EASY_TASK_7_MALE) == AFTER_KEY,
              "the key was echoed or the answer does not follow it")
        check(job.wait_for_exit() == 0, "the typed-ahead 5 did not end the run")
        check(job.output.endswith(PROMPT_MENU),
              "option 5 wrote after the menu: %r" % job.output[-40:])
        check(job.line_editing_and_echo() == (True, True),
              "echo and line editing are not back on after the run")
    finally:
        job.close()


def ctrl_z_stops_in_line_mode_and_fg_waits_for_a_key_again(program):
    job = Job(program)
    try:
        start_easy_task(job, b"4 7 5\n")
        job.send(CTRL_Z)
        job.wait("stopped")
        check(job.stop_signal == signal.SIGTSTP,
              "stopped by signal %d, not by Ctrl-Z" % job.stop_signal)
        check(job.line_editing_and_echo() == (True, True),
              "the terminal is not in line mode with echo while stopped")
        # The user changes a setting while the program is stopped; it must
        # stick after the program ends.
        attrs = termios.tcgetattr(job.slave)
        attrs[3] ^= termios.ECHOCTL
        termios.tcsetattr(job.slave, termios.TCSANOW, attrs)
        wanted_echoctl = attrs[3] & termios.ECHOCTL
        job.resume_in_foreground()
        job.wait_for_single_key_mode()
        check(job.nothing_more_for(0.3), "the answer came before any key after fg")
        job.send(b"x")  # no Enter
        check(job.expect(EASY_TASK_7_MALE) == AFTER_KEY,
              "after fg the key was echoed or the answer does not follow it")
        check(job.wait_for_exit() == 0, "after fg the typed-ahead 5 did not end the run")
        check(job.line_editing_and_echo() == (True, True),
              "echo and line editing are not back on after the run")
        check(job.local_modes() & termios.ECHOCTL == wanted_echoctl,
              "the setting changed while stopped was undone")
    finally:
        job.close()


def end_of_input_at_the_menu_ends_the_line(program):
    # Ctrl-D at the menu: the run ends, and the shell's prompt starts on a
    # line of its own.
    job = Job(program)
    try:
        job.expect(PROMPT_LANGUAGE)
        job.send(b"e\n")
        job.expect(PROMPT_MENU)
        job.send(CTRL_D)
        check(job.wait_for_exit() == 0, "Ctrl-D: exit status %r" % job.status)
        rest = job.output[job.seen:]
        check(rest == b"\r\n", "after Ctrl-D at the menu: %r, expected one line end" % rest)
    finally:
        job.close()


CASES = [
    keys_of_several_bytes_are_consumed_whole,
    signals_that_end_the_wait_restore_the_terminal,
    lines_typed_ahead_stay_answers,
    key_without_enter_keeps_typed_ahead_word,
    ctrl_z_stops_in_line_mode_and_fg_waits_for_a_key_again,
    end_of_input_at_the_menu_ends_the_line,
]


def run_as_shell(case, program):
    """Runs the case in a child that leads a session of its own, as a login
    shell does. True when it passed."""
    sys.stdout.flush()
    pid = os.fork()
    if pid == 0:
        code = 1
        try:
            os.setsid()
            for s in SHELL_IGNORES:
                signal.signal(s, signal.SIG_IGN)
            case(program)
            code = 0
        except Failure as failure:
            print("FAIL %s: %s" % (case.__name__, failure))
        except Exception:  # a fault of the test itself
            traceback.print_exc()
        finally:
            sys.stdout.flush()
            os._exit(code)
    _, status = os.waitpid(pid, 0)
    return os.WIFEXITED(status) and os.WEXITSTATUS(status) == 0


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    program = argv[1]
    by_name = {case.__name__: case for case in CASES}
    unknown = [name for name in argv[2:] if name not in by_name]
    if unknown:
        print("no such case: %s" % ", ".join(unknown))
        return 2
    try:
        master, slave = os.openpty()
        os.close(master)
        os.close(slave)
    except OSError as error:
        print("skipped: no pseudo-terminal (%s)" % error)
        return SKIP
    cases = [by_name[name] for name in argv[2:]] or CASES
    failed = 0
    for case in cases:
        if run_as_shell(case, program):
            print("ok   %s" % case.__name__)
        else:
            failed += 1
    print("%d passed, %d failed" % (len(cases) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
