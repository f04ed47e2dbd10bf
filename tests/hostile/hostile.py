#!/usr/bin/env python3
"""Hostile input through the real quorvale binary.

  hostile.py CASE PROGRAM [--max-rss-mb N]

Each CASE is one CTest test. Most cases check the program against itself:
the hostile session must give exactly the output of a tame session that the
program has to treat the same way (a 50-million-character word that fails at
its end against a short word that fails the same way; NUL bytes against
another character that is no gene symbol, quoted back as ^@; invalid UTF-8 against the U+FFFD
characters it stands for). So the expected texts are not written out here
twice, and the equivalence itself is the property: the program answers in
proportion to the offending characters, not to the input.

Every run must end with exit status 0 and nothing on standard error, except
where output is deliberately made impossible. --max-rss-mb (given only for
builds without sanitizers) also bounds the peak memory of the run, and runs
the long-word sessions under an address-space limit of ADDRESS_SPACE_MB: no
word is ever held whole, so no length of input may make memory run out.
"""

import os
import resource
import signal
import subprocess
import sys
import tempfile
import threading

TIMEOUT = 300  # far above the few seconds a linear run takes under ASan
ENV = {k: v for k, v in os.environ.items()
       if k not in ("LANG", "LANGUAGE", "LC_ALL", "LC_CTYPE", "LC_MESSAGES")}

MILLION = 1_000_000
BIG = 50 * MILLION  # characters in the one long word
ADDRESS_SPACE_MB = 256  # the limit long words are read under

# Both parents heterozygous in every gene: the largest litter there is,
# 6,377,292 member lines, about 300 MB of report.
LARGEST_MALE = b"EeDgdgPpAaCdcdRdrdLlUuBabaSasaSgsgLglgDsdsToY"
LARGEST_FEMALE = b"EeDgdgPpAaCdcdRdrdLlUuBabaSasaSgsgLglgDsdsToto"
LARGEST_LITTER = b"e\n2\n" + LARGEST_MALE + b"\n" + LARGEST_FEMALE + b"\n5\n"

HAMSTER = "\U0001F439".encode()  # outside the Basic Multilingual Plane
REPLACEMENT = "\uFFFD".encode()


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Repeat:
    """A piece of input repeated count times, written out in blocks so that
    this script never holds a huge input in memory. (A forked child starts
    with the memory of its parent counted in its peak, so the script keeps
    itself small when it measures the program.)"""

    def __init__(self, piece, count):
        self.piece, self.count = piece, count

    def write_to(self, f):
        block = max(1, (1 << 20) // len(self.piece))
        left = self.count
        while left > 0:
            n = min(block, left)
            f.write(self.piece * n)
            left -= n


def write_input(f, parts):
    for part in parts if isinstance(parts, list) else [parts]:
        part.write_to(f) if isinstance(part, Repeat) else f.write(part)


def limit_address_space():
    os.setsid()
    limit = ADDRESS_SPACE_MB << 20
    resource.setrlimit(resource.RLIMIT_AS, (limit, limit))


# GNU time reports the peak memory of the program alone. Without it the
# figure comes from wait4, which also counts the memory the child inherited
# from this script before it started the program (some 10 to 14 MB).
GNU_TIME = "/usr/bin/time" if os.access("/usr/bin/time", os.X_OK) else None


def run(program, stdin_parts, max_rss_mb=None, read=lambda f: f.read(), limit_memory=False):
    """Runs one session on the given input (bytes, or a list of bytes and
    Repeat pieces); returns read(its standard output). The input goes
    through a file, so that a huge input cannot block on a pipe. The peak
    memory is the program's own, taken by GNU time where it is installed,
    else by wait4. limit_memory runs it under the address-space limit."""
    with tempfile.TemporaryFile() as stdin, tempfile.TemporaryFile() as stdout, \
            tempfile.TemporaryFile() as stderr, tempfile.NamedTemporaryFile() as peak:
        write_input(stdin, stdin_parts)
        stdin.flush()
        stdin.seek(0)
        command = [program]
        if max_rss_mb is not None and GNU_TIME:
            command = [GNU_TIME, "-f", "%M", "-o", peak.name, program]
        proc = subprocess.Popen(command, stdin=stdin, stdout=stdout, stderr=stderr, env=ENV,
                                start_new_session=not limit_memory,
                                preexec_fn=limit_address_space if limit_memory else None)
        timed_out = []
        timer = threading.Timer(
            TIMEOUT, lambda: (timed_out.append(True), os.killpg(proc.pid, signal.SIGKILL)))
        timer.start()
        try:
            _, status, usage = os.wait4(proc.pid, 0)
        finally:
            timer.cancel()
        proc.returncode = os.waitstatus_to_exitcode(status)
        check(not timed_out, f"no end after {TIMEOUT} s: not linear, or hanging")
        stderr.seek(0)
        errors = stderr.read()
        check(proc.returncode == 0, f"exit status {proc.returncode}, expected 0; {errors[:300]!r}")
        check(not errors, f"standard error: {errors[:300]!r}")
        if max_rss_mb is not None:
            bound_mb = max_rss_mb
            if command[0] == GNU_TIME:
                peak_mb = int(peak.read().split()[-1]) / 1024
            else:
                # Only what exceeds this script's own memory is the program's.
                peak_mb = usage.ru_maxrss / 1024  # KiB on Linux
                own_mb = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024
                bound_mb = max(max_rss_mb, own_mb + 1)
            check(peak_mb <= bound_mb, f"peak memory {peak_mb:.1f} MB, more than {bound_mb:.0f} MB")
        stdout.seek(0)
        return read(stdout)


def same_output(program, hostile, tame, what, max_rss_mb=None):
    # The memory bound comes with the address-space limit: neither suits a
    # build with sanitizers.
    actual = run(program, hostile, max_rss_mb, limit_memory=max_rss_mb is not None)
    expected = run(program, tame)
    if actual != expected:
        n = next((i for i, (a, b) in enumerate(zip(actual, expected)) if a != b),
                 min(len(actual), len(expected)))
        raise Failure(f"{what}: output differs from the tame session at byte {n}:\n"
                      f"  expected: {expected[max(0, n - 60):n + 60]!r}\n"
                      f"  actual:   {actual[max(0, n - 60):n + 60]!r}")
    return actual


def well_formed_utf8(output, what):
    try:
        output.decode("utf-8", "strict")
    except UnicodeDecodeError as e:
        raise Failure(f"{what}: output is not well-formed UTF-8: {e}")


# --- the cases -------------------------------------------------------------

def long_word_option1(program, max_rss_mb):
    # Valid all the way (a repeated "ToY" is allowed) up to the last two
    # characters, so the parser must walk the whole word; the error quotes
    # those two characters and nothing else.
    repeats = (BIG - 2) // 3
    check(3 * repeats + 2 == BIG, "the word has 50 million characters")
    out = same_output(program, [b"e\n1\n", Repeat(b"ToY", repeats), b"Xx\n5\n"],
                      b"e\n1\nToYToYXx\n5\n", "50M-character word at option 1", max_rss_mb)
    check(out.count(b"Xx") == 1 and len(out) < 1000, "the error quotes only the offending part")
    # A valid 50M-character word is described like its short form.
    same_output(program, [b"r\n1\n", Repeat(b"ToY", repeats), b"ee\n5\n"], b"r\n1\nToYee\n5\n",
                "valid 50M-character word at option 1", max_rss_mb)
    # A word of 50M Cyrillic letters (100 MB of UTF-8) fails at its start.
    same_output(program, [b"e\n1\n", Repeat("е".encode(), BIG), b"\n5\n"],
                b"e\n1\n" + "ее".encode() + b"\n5\n", "50M Cyrillic letters at option 1",
                max_rss_mb)
    # One that fails at its second pair: the rest of the word is skipped.
    same_output(program, [b"e\n1\neeXx", Repeat(b"x", BIG - 4), b"\n5\n"], b"e\n1\neeXx\n5\n",
                "50M-character word failing at its second pair", max_rss_mb)


def long_word_option2(program, max_rss_mb):
    # The male's word fails at its last character (which gets the hint);
    # then a valid male word and a female word that fails at its second
    # token. Each word is parsed as it is read, but nothing is written
    # before both words of a pair have been read.
    hostile = [b"e\n2\n", Repeat(b"ToY", (BIG - 1) // 3), b"x\n--\n2\n",
               Repeat(b"ToY", (BIG - 2) // 3), b"ee\nToTo", Repeat(b"x", BIG - 4), b"\n5\n"]
    tame = b"e\n2\nToYToYx\n--\n2\nToYee\nToToxx\n5\n"
    out = same_output(program, hostile, tame, "50M-character words at option 2", max_rss_mb)
    check(len(out) < 2000, "the error lines quote only the offending parts")


def long_task_number(program, max_rss_mb):
    # Task numbers of 50 million digits are clamped to the 32-bit range, as
    # atoi-like conversion says, without holding anything but the word.
    hostile = [b"e\n3\n", Repeat(b"9", BIG), b"\n4\n-", Repeat(b"0", BIG), b"7\n5\n"]
    same_output(program, hostile, b"e\n3\n2147483647\n4\n-7\n5\n", "50M-digit task numbers",
                max_rss_mb)


def long_menu_word(program, max_rss_mb):
    # Of a 50-million-character menu word only the first character counts:
    # one that is no option, then one that picks option 1.
    hostile = [b"e\n", Repeat(b"6", BIG), b"\n1", Repeat("б".encode(), BIG - 1), b" ee\n5\n"]
    same_output(program, hostile, "e\n6\n1б ee\n5\n".encode(), "50M-character menu words",
                max_rss_mb)


def menu_words(program, max_rss_mb):
    # A million words on one line, none of them an option: the menu once per
    # word, in order, and nothing else. Then a million lines of one word
    # each, in Russian, with CRLF line ends.
    words = [b"6", b"a", "б".encode(), b"0", b"-", HAMSTER]
    line = b" ".join(words) + b" "
    check(MILLION % len(words) == 4, "the words fill the million")
    for language, hostile, menu_start in (
            (b"e", [b"e\n", Repeat(line, MILLION // len(words)), b" ".join(words[:4]), b" 5\n"],
             b"\nOptions"),
            (b"r", [b"r\r\n", Repeat(b"7\r\n", MILLION), b"5\r\n"], "\nВыберите".encode())):
        empty = run(program, language + b"\n5\n")
        menu = empty[empty.index(menu_start):]

        def is_menus(stdout):
            if stdout.read(len(empty)) != empty:
                return False
            for _ in range(MILLION):
                if stdout.read(len(menu)) != menu:
                    return False
            return stdout.read(1) == b""
        check(run(program, hostile, max_rss_mb, read=is_menus),
              f"expected {MILLION + 1} menus and nothing else ({language!r})")


def same_output_but(program, hostile, tame, tame_char, hostile_char, what):
    """The hostile session differs from the tame one only in hostile_char
    standing where tame_char stands; its output must differ in exactly the
    same way. tame_char must occur in none of the program's own texts."""
    actual = run(program, hostile)
    expected = run(program, tame)
    check(expected.count(tame_char) > 0, f"{what}: the tame session quotes nothing")
    check(actual == expected.replace(tame_char, hostile_char),
          f"{what}: output differs from the tame session's:\n"
          f"  expected: {expected.replace(tame_char, hostile_char)[:600]!r}\n"
          f"  actual:   {actual[:600]!r}")
    return actual


# A character that no text of the program contains and no gene symbol is.
STAND_IN = "\u03a9".encode()


def nul_bytes(program, max_rss_mb):
    # NUL is an ordinary word character (no white space, no gene symbol): the
    # session goes exactly as with another such character in its place, and
    # the NULs typed are quoted back as "^@", never raw.
    hostile = (b"\0e\n\0\n1\n\0\0\n1\nee\0\n1\n\0\0ee\n2\n\0\0\n--\n2\n--\nToTo\0\0\n"
               b"3\n\0\n12\0\n4\n\0 5\n")
    out = same_output_but(program, hostile, hostile.replace(b"\0", STAND_IN), STAND_IN, b"^@",
                          "NUL bytes")
    check(b"\0" not in out, "a NUL written raw")


def invalid_utf8(program, max_rss_mb):
    # Every byte that is not part of a valid sequence stands for one U+FFFD:
    # a stray continuation byte, bytes that never occur, an overlong form, an
    # encoded surrogate, a value above U+10FFFF, a sequence cut short by the
    # next character.
    cases = [b"\x80", b"\xff", b"\xfe", b"\xc0\xaf", b"\xe0\x80\xaf", b"\xed\xa0\x80",
             b"\xf4\x90\x80\x80", b"\xf8\x88\x80\x80\x80", b"\xd0e", b"\xe2\x82e", b"\xf0\x9f\x90e"]
    replaced = [REPLACEMENT * (len(c) - 1) + b"e" if c.endswith(b"e") else REPLACEMENT * len(c)
                for c in cases]
    # At the language question (rejected, asked again), at the menu (no
    # option) and in genotypes (quoted back as U+FFFD).
    def session(pieces):
        s = b"".join(p + b"\n" for p in pieces[:3]) + b"e\n" + b" ".join(pieces) + b"\n"
        for p in pieces:
            s += b"1\n" + p + b"\n1\nee" + p + b"\n2\n" + p + p + b"\n--\n"
        return s + b"5\n"
    out = same_output(program, session(cases), session(replaced), "invalid UTF-8")
    well_formed_utf8(out, "invalid UTF-8")


def non_bmp(program, max_rss_mb):
    # A character outside the BMP is one character to the parser: "ee" and
    # one of them leaves one character, so the hint follows it; two of them
    # are a pair. The session goes exactly as with a BMP character in its
    # place, and the character comes back whole.
    hostile = (HAMSTER + b"e\n" + HAMSTER + b"\n1\n" + HAMSTER + HAMSTER + b"\n1\nee" + HAMSTER +
               b"\n1\n" + HAMSTER + b"\n1\nee" + HAMSTER + HAMSTER + b"ee\n2\n" + HAMSTER +
               b"e\n--\n5\n")
    for language in (b"e", b"r"):
        session = hostile.replace(HAMSTER + b"e\n", HAMSTER + language + b"\n", 1)
        out = same_output_but(program, session, session.replace(HAMSTER, STAND_IN), STAND_IN,
                              HAMSTER, "non-BMP characters")
        check(out.count(HAMSTER) == 7, f"the characters are quoted back: {out.count(HAMSTER)}")
        well_formed_utf8(out, "non-BMP")


def cut_utf8(program, max_rss_mb):
    # Input that ends in the middle of a UTF-8 sequence: the cut sequence's
    # bytes are U+FFFD each, the last word is still read, and the run ends
    # normally at the end of input wherever it is cut.
    for cut in (b"\xd0", b"\xe2\x82", b"\xf0\x9f\x90"):
        fffd = REPLACEMENT * len(cut)
        for prefix in (b"", b"e\n", b"e\n1\nee", b"e\n1\n", b"e\n2\n--\n", b"e\n3\n1"):
            out = same_output(program, prefix + cut, prefix + fffd, f"input ending {prefix + cut!r}")
            well_formed_utf8(out, f"input ending {prefix + cut!r}")


def full_disk(program, max_rss_mb):
    if not os.path.exists("/dev/full"):
        print("no /dev/full here")
        return 77
    # The menu in either language (Cyrillic text too must fail to be
    # written), and the largest report.
    for stdin_bytes in (b"e\n5\n", b"r\n5\n", LARGEST_LITTER):
        with tempfile.TemporaryFile() as stdin, open("/dev/full", "wb") as full:
            stdin.write(stdin_bytes)
            stdin.seek(0)
            proc = subprocess.run([program], stdin=stdin, stdout=full, stderr=subprocess.PIPE,
                                  env=ENV, start_new_session=True, timeout=TIMEOUT)
        lines = proc.stderr.splitlines()
        check(proc.returncode != 0, "output to a full disk was reported as success")
        check(len(lines) == 1, f"one line on standard error, got {proc.stderr[:300]!r}")
    # The command line ends with status 3 and one line: a short answer, and
    # the largest litter's whole report.
    for arguments in (["--lang", "ru", "color", "ee"],
                      ["--lang", "en", "litter", "--members", LARGEST_MALE.decode(),
                       LARGEST_FEMALE.decode()]):
        with open("/dev/full", "wb") as full:
            proc = subprocess.run([program] + arguments, stdin=subprocess.DEVNULL, stdout=full,
                                  stderr=subprocess.PIPE, env=ENV, start_new_session=True,
                                  timeout=TIMEOUT)
        check(proc.returncode == 3, f"{arguments[2]} to a full disk ended with {proc.returncode}")
        check(len(proc.stderr.splitlines()) == 1,
              f"one line on standard error, got {proc.stderr[:300]!r}")
    return 0


def closed_pipe(program, max_rss_mb):
    # A pipe whose reader is gone before the program starts: far more menus
    # than a pipe holds, so the program must find the pipe closed, whenever
    # the close happens.
    proc = subprocess.Popen([program], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, env=ENV, start_new_session=True)
    proc.stdout.close()
    try:
        proc.stdin.write(b"e\n" + b"6\n" * 200_000 + b"5\n")
        proc.stdin.close()
    except BrokenPipeError:
        pass
    check(proc.wait(timeout=TIMEOUT) != 0, "output to a closed pipe was reported as success")
    # `quorvale | head -c 100` on the largest litter: once the reader is
    # gone the program ends, by SIGPIPE or with a non-zero status, and does
    # not go on to report success. Tried with SIGPIPE as it usually is and
    # with SIGPIPE ignored (as some shells and services start programs).
    for ignore_sigpipe in (False, True):
        def setup():
            os.setsid()
            if ignore_sigpipe:
                signal.signal(signal.SIGPIPE, signal.SIG_IGN)
        with tempfile.TemporaryFile() as stdin:
            stdin.write(LARGEST_LITTER)
            stdin.seek(0)
            proc = subprocess.Popen([program], stdin=stdin, stdout=subprocess.PIPE,
                                    stderr=subprocess.PIPE, env=ENV, preexec_fn=setup,
                                    restore_signals=not ignore_sigpipe)
            head = proc.stdout.read(100)
            proc.stdout.close()
            try:
                status = proc.wait(timeout=TIMEOUT)
            except subprocess.TimeoutExpired:
                proc.kill()
                raise Failure("the program went on after its reader had gone")
            stderr = proc.stderr.read()
            proc.stderr.close()
        check(head.startswith(b"Quorvale: "), f"the first 100 bytes: {head!r}")
        label = "SIGPIPE ignored" if ignore_sigpipe else "SIGPIPE as usual"
        check(status != 0, f"{label}: a closed pipe was reported as success")
        if ignore_sigpipe:
            check(status > 0 and len(stderr.splitlines()) == 1,
                  f"{label}: status {status}, standard error {stderr[:300]!r}")
        else:
            check(status == -signal.SIGPIPE or (status > 0 and len(stderr.splitlines()) == 1),
                  f"{label}: status {status}, standard error {stderr[:300]!r}")
    return 0


def closed_descriptors(program, max_rss_mb):
    # Standard output closed altogether: a failure, reported on standard
    # error. Standard input closed: no input at all, so the run ends at the
    # language question, successfully.
    def close(fd):
        def setup():
            os.setsid()
            os.close(fd)
        return setup
    proc = subprocess.run([program], stdin=subprocess.DEVNULL, stderr=subprocess.PIPE,
                          env=ENV, preexec_fn=close(1), timeout=TIMEOUT)
    check(proc.returncode != 0, "output to a closed descriptor was reported as success")
    check(len(proc.stderr.splitlines()) == 1, f"one line on standard error: {proc.stderr!r}")
    proc = subprocess.run([program], stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=ENV,
                          preexec_fn=close(0), timeout=TIMEOUT)
    check(proc.returncode == 0 and not proc.stderr, f"status {proc.returncode}, {proc.stderr!r}")
    check(proc.stdout == run(program, b""), "closed input is the same as empty input")


def largest_litter(program, max_rss_mb):
    # The largest report there is, read whole: every member line there, and
    # within the memory bound.
    def member_lines(stdout):
        return sum(1 for line in stdout if line.startswith(b"\t\t\t"))
    members = run(program, LARGEST_LITTER, max_rss_mb, read=member_lines)
    # 3 offspring for each of the 13 autosomal genes, 4 for Yellow.
    check(members == 3 ** 13 * 4, f"{members} member lines")


CASES = {
    "long-word-option1": long_word_option1,
    "long-word-option2": long_word_option2,
    "long-task-number": long_task_number,
    "long-menu-word": long_menu_word,
    "menu-words": menu_words,
    "nul-bytes": nul_bytes,
    "invalid-utf8": invalid_utf8,
    "non-bmp": non_bmp,
    "cut-utf8": cut_utf8,
    "full-disk": full_disk,
    "closed-pipe": closed_pipe,
    "closed-descriptors": closed_descriptors,
    "largest-litter": largest_litter,
}


def main(argv):
    if len(argv) not in (3, 5) or argv[1] not in CASES or (len(argv) == 5 and argv[3] != "--max-rss-mb"):
        print(__doc__)
        return 2
    max_rss_mb = int(argv[4]) if len(argv) == 5 else None
    try:
        status = CASES[argv[1]](argv[2], max_rss_mb)
    except Failure as failure:
        print(f"FAIL {argv[1]}: {failure}")
        return 1
    except subprocess.TimeoutExpired as e:
        print(f"FAIL {argv[1]}: no end after {e.timeout} s")
        return 1
    if status:
        return status
    print(f"ok {argv[1]}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
