#!/usr/bin/env python3
"""The manual page's table of colours is the program's.

  manual_colours.py PROGRAM PAGE LANG            check the table (LANG en or ru)
  manual_colours.py PROGRAM PAGE LANG --print    write PAGE with the table made anew

Runs PROGRAM --lang LANG colors, makes from its lines the troff text of the
table in the section COLOURS (in Russian ОКРАСЫ) of the manual page PAGE, and
compares it with what PAGE holds between two comment lines of its own,
".\\" The table of colours, from quorvale colors: ..." and ".\\" End of the
table of colours.". Each row the program writes becomes one entry: the
name (in Russian with the English name after it, as the program writes it),
then the genotypes in bold and the genes in parentheses. Prints "ok" when
the page holds exactly that text; otherwise prints the first line that
differs and exits 1.

With --print, writes PAGE to standard output with the table between the two
comment lines replaced by the one made from PROGRAM, so that the table is
kept by running this after a change to the colours:

  tests/manual_colours.py build/release/quorvale doc/quorvale.1 en --print > page
  mv page doc/quorvale.1
"""

import subprocess
import sys

BEGIN = '.\\" The table of colours, from quorvale colors: tests/manual_colours.py checks it.'
END = '.\\" End of the table of colours.'
FIELDS = {"en": 3, "ru": 4}  # name, [English name,] genotypes, genes
TIMEOUT = 60


def roff(text):
    """Text that troff writes as it is, in a text line or a quoted argument.

    A hyphen-minus is written \\- so that the names and genotypes render as
    the characters the program reads (the all-wild genotype is \\-\\-).
    """
    if '"' in text or text.startswith((".", "'")):
        raise ValueError(f"no way to write {text!r} here")
    return text.replace("\\", "\\e").replace("-", "\\-")


def entry(fields, language):
    """The troff lines of one row of the table."""
    if language == "en":
        # Most English names fit in the indent: a row on one line.
        name, genotypes, genes = fields
        head = [".TP 19n", f'.B "{roff(name)}"']
    else:
        # No Russian name with its English one does: the genes under it.
        name, english, genotypes, genes = fields
        head = [".TP", f'.BR "{roff(name)}" " (англ. " "{roff(english)}" )']
    bold = ", ".join(f"\\fB\\%{roff(g)}\\fR" for g in genotypes.split(", "))
    return head + [f"{bold} ({roff(genes)})"]


def table(colors_output, language):
    """The lines between BEGIN and END, made from what `colors` writes, a row
    a line. The first entry stands apart from the text above it; the others
    follow each other without an empty line."""
    entries = []
    for line in colors_output.splitlines():
        fields = line.split("\t")
        if len(fields) != FIELDS[language]:
            raise ValueError(f"a row of {len(fields)} fields: {line!r}")
        entries.append(entry(fields, language))
    if not entries:
        raise ValueError("the program lists no colours")
    return entries[0] + [".PD 0"] + [line for e in entries[1:] for line in e] + [".PD"]


def colours(program, language):
    try:
        run = subprocess.run([program, "--lang", language, "colors"], stdin=subprocess.DEVNULL,
                             capture_output=True, timeout=TIMEOUT)
    except (OSError, subprocess.TimeoutExpired) as e:
        raise RuntimeError(f"{program} --lang {language} colors: {e}") from e
    if run.returncode != 0 or run.stderr:
        raise RuntimeError(f"{program} --lang {language} colors: exit status "
                           f"{run.returncode}, standard error {run.stderr[:200]!r}")
    return run.stdout.decode("utf-8")


def split_page(page_lines):
    """The page's lines before the table, in it and after it."""
    if page_lines.count(BEGIN) != 1 or page_lines.count(END) != 1:
        raise ValueError(f"the page must hold each of these lines once:\n  {BEGIN}\n  {END}")
    begin, end = page_lines.index(BEGIN), page_lines.index(END)
    if end < begin:
        raise ValueError("the table's end comes before its beginning")
    return page_lines[:begin + 1], page_lines[begin + 1:end], page_lines[end:]


def main(argv):
    printing = argv[4:] == ["--print"]
    if len(argv) != 4 + printing or argv[3] not in FIELDS:
        print(__doc__)
        return 2
    program, page_path, language = argv[1:4]
    try:
        with open(page_path, encoding="utf-8") as f:
            page_lines = f.read().split("\n")
        before, held, after = split_page(page_lines)
        expected = table(colours(program, language), language)
    except (OSError, ValueError, RuntimeError) as e:
        print(f"{page_path}: {e}")
        return 1
    if printing:
        sys.stdout.write("\n".join(before + expected + after))
        return 0
    if held != expected:
        n = next((i for i, (a, b) in enumerate(zip(held, expected)) if a != b),
                 min(len(held), len(expected)))
        line = len(before) + n + 1
        print(f"{page_path}: the table of colours differs from `{program} --lang {language} "
              f"colors` at line {line}:")
        print(f"  page:     {held[n] if n < len(held) else '(the table ends)'}")
        print(f"  expected: {expected[n] if n < len(expected) else '(the table ends)'}")
        print(f"Make it anew with: {argv[0]} {program} {page_path} {language} --print")
        return 1
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
