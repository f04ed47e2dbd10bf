#!/usr/bin/env python3
"""Every option of the command line is documented wherever options are.

  options_documented.py PROGRAM SOURCE_DIR

Reads the options from the argument table (kOptions in
src/app/arguments.cpp) and fails for each one that --help leaves out, in
English or in Russian, that a manual page (doc/quorvale.1,
doc/quorvale.ru.1) leaves out, or, for a long option, that the bash
completion (packaging/bash-completion/quorvale) does not offer.
"""

import pathlib
import re
import subprocess
import sys


def main(argv):
    program, source = argv[1], pathlib.Path(argv[2])
    table = (source / "src/app/arguments.cpp").read_text(encoding="utf-8")
    options = re.findall(r'\{U"(--?[a-z-]+)", OptionId::', table)
    if len(options) < 10:
        print(f"FAIL: found only {options} in the argument table")
        return 1
    places = {}
    for lang in ("en", "ru"):
        help_text = subprocess.run([program, "--lang", lang, "--help"], capture_output=True,
                                   text=True, check=True).stdout
        places[f"--help in {lang}"] = help_text
    for page in ("quorvale.1", "quorvale.ru.1"):
        # The manual pages write a hyphen of an option as "\-".
        text = (source / "doc" / page).read_text(encoding="utf-8").replace("\\-", "-")
        places[f"doc/{page}"] = text
    completion = (source / "packaging/bash-completion/quorvale").read_text(encoding="utf-8")
    missing = []
    for option in options:
        word = re.compile(r"(?<![\w-])" + re.escape(option) + r"(?![\w-])")
        for place, text in places.items():
            if not word.search(text):
                missing.append(f"{option} is not in {place}")
        if option.startswith("--") and not word.search(completion):
            missing.append(f"{option} is not offered by the bash completion")
    for line in missing:
        print(f"FAIL: {line}")
    if missing:
        return 1
    print(f"ok: {len(options)} options in --help (both languages), both manual pages and the completion")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
