#!/usr/bin/env python3
"""End-to-end checks of the built quorvale program.

  run_e2e.py transcript PROGRAM NAME.in   standard output must equal NAME.out
  run_e2e.py full-disk  PROGRAM NAME.in   output to /dev/full must fail the run
  run_e2e.py closed-pipe PROGRAM          output to a closed pipe must fail it

A transcript is a pair of files: NAME.in is fed to standard input, NAME.out
holds the exact bytes expected on standard output; the exit status must be
0 and standard error empty. Each transcript runs twice, once with no locale
variables at all and once under a UTF-8 locale: the output must not depend
on them. The program runs in a session of its own, without a controlling
terminal, so the key wait before a task's answer goes on at once (the
program on a real terminal is tests/terminal_test.py).
"""

import os
import subprocess
import sys

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
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
