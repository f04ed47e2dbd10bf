#!/usr/bin/env python3
"""End-to-end checks of the built quorvale program.

  run_e2e.py transcript PROGRAM NAME.in   standard output must equal NAME.out
  run_e2e.py command PROGRAM NAME.args    a command line and what it answers

A transcript is a pair of files: NAME.in is fed to standard input, NAME.out
holds the exact bytes expected on standard output; the exit status must be
0 and standard error empty. Each transcript runs twice, once with no locale
variables at all and once under a UTF-8 locale: the output must not depend
on them. The program runs in a session of its own, without a controlling
terminal, so the key wait before a task's answer goes on at once (the
program on a real terminal is tests/terminal_test.py). Output that cannot be
written is tests/hostile/hostile.py's.

A command-line case is NAME.args, the arguments one per line (UTF-8; an
empty line is an empty argument), with NAME.out, the exact standard output,
NAME.err, the exact standard error (no file: nothing), and NAME.status, the
exit status (no file: 0). Standard input is empty and must not be read.
Cases give --lang, so the locale variables must not matter; they too run
with none set and under a UTF-8 locale.
"""

import os
import subprocess
import sys

LOCALE_VARIABLES = ("LANG", "LANGUAGE", "LC_ALL", "LC_CTYPE", "LC_MESSAGES")
TIMEOUT = 60


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


def check_runs(base, run, expected_out, expected_err=b"", expected_status=0):
    """Runs run(env) with no locale variables and under a UTF-8 locale, and
    checks its exit status, standard output and standard error."""
    failures = 0
    for locale in (None, "C.UTF-8"):
        label = "no locale variables" if locale is None else f"LC_ALL={locale}"
        done = run(environment(locale))
        problems = []
        if done.returncode != expected_status:
            problems.append(f"exit status {done.returncode}, expected {expected_status}")
        if done.stdout != expected_out:
            problems.append("standard output: " + first_difference(done.stdout, expected_out))
        if done.stderr != expected_err:
            problems.append("standard error: " + first_difference(done.stderr, expected_err))
        if problems:
            failures += 1
            print(f"FAIL {os.path.basename(base)} with {label}:")
            for p in problems:
                print("  " + p)
    return 1 if failures else 0


def read_optional(path, default):
    try:
        with open(path, "rb") as f:
            return f.read()
    except FileNotFoundError:
        return default


def transcript(program, input_path):
    base = input_path[:-len(".in")] if input_path.endswith(".in") else input_path
    with open(base + ".out", "rb") as f:
        expected = f.read()

    def run(env):
        with open(base + ".in", "rb") as stdin:
            return subprocess.run([program], stdin=stdin, capture_output=True, env=env,
                                  start_new_session=True, timeout=TIMEOUT)
    return check_runs(base, run, expected)


def command(program, args_path):
    base = args_path[:-len(".args")]
    with open(args_path, "rb") as f:
        arguments = [line.decode("utf-8") for line in f.read().split(b"\n")[:-1]]

    # A file a case names (a stock file) is named from the case's folder.
    def run(env):
        return subprocess.run([program] + arguments, stdin=subprocess.DEVNULL,
                              capture_output=True, env=env, start_new_session=True,
                              timeout=TIMEOUT, cwd=os.path.dirname(os.path.abspath(args_path)))
    return check_runs(base, run, read_optional(base + ".out", b""),
                      read_optional(base + ".err", b""),
                      int(read_optional(base + ".status", b"0")))


def main(argv):
    if len(argv) < 3:
        print(__doc__)
        return 2
    mode, program = argv[1], argv[2]
    if mode == "transcript" and len(argv) == 4:
        return transcript(program, argv[3])
    if mode == "command" and len(argv) == 4:
        return command(program, argv[3])
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
