#!/usr/bin/env python3
"""The JSON of a litter says what its text says.

  json_agrees.py PROGRAM

For a few pairings and tasks, in both languages, runs the program once with
--json and once for the text, both with --percent --pups 8 --carriers
--members, and checks that the JSON parses and that every text and figure
of the text report stands in it: the parents, the warnings, each group's
fraction, percentage, share of the born, chances and description, its
carrier lines and its members, in the same order, and the lethal share.
"""

import json
import subprocess
import sys
from fractions import Fraction

FIGURES = ["--percent", "--pups", "8", "--carriers", "--members"]
PAIRINGS = [
    ("Lglg", "Lglg"),
    ("EeToY", "EeToto"),
    ("EeDgdgAaUuSasaDsds", "EePpAaUuSasaDsdsToto"),
    ("cdcdToY", "cdcdToTo"),
]


def run(program, arguments):
    done = subprocess.run([program] + arguments, capture_output=True, stdin=subprocess.DEVNULL,
                          timeout=120)
    if done.returncode != 0:
        raise AssertionError(f"{arguments}: status {done.returncode}: {done.stderr[:300]!r}")
    return done.stdout.decode("utf-8")


def percent(value, comma):
    """A share as the text writes it, from the JSON's exact fraction."""
    tenths = int(value * 1000 * 2 + 1) // 2  # half up
    if tenths == 0:
        text = "< 0.1"
    elif tenths == 1000 and value < 1:
        text = "> 99.9"
    else:
        text = f"{tenths // 10}.{tenths % 10}"
    return (text.replace(".", ",") if comma else text) + " %"


def fraction(obj):
    return Fraction(obj["numerator"], obj["denominator"])


def compare(text, report, comma):
    lines = text.split("\n")
    assert lines[-1] == ""
    lines.pop()
    male_line = lines.pop(0)
    female_line = lines.pop(0)
    for line, animal in ((male_line, report["male"]), (female_line, report["female"])):
        expected = animal["description"]
        if animal["carrier_line"] is not None:
            expected += ", " + animal["carrier_line"]
        assert line.split(": ", 1)[1] == expected, (line, animal)
    for warning in report["warnings"]:
        assert lines.pop(0) == f"!!! {warning} !!!"
    lines.pop(0)  # the litter's label
    lethal = fraction(report["lethal"]) if "lethal" in report else Fraction(0)
    for group in report["groups"]:
        fields = lines.pop(0)[1:].split("\t")
        share = fraction(group)
        assert fields[0] == f"{share.numerator}/{share.denominator} ", fields
        assert fields[1] == percent(share, comma), (fields, group)
        at = 2
        if "live" in group:
            assert fields[at].startswith(percent(fraction(group["live"]), comma)), fields
            assert fraction(group["live"]) == share / (1 - lethal)
            at += 1
        if not group["lethal"]:
            assert fields[at].endswith(percent(Fraction(str(group["at_least_one"])), comma)), fields
            expected = fields[at + 1].rsplit(" ", 1)[1].replace(",", ".")
            assert abs(float(expected) - group["expected"]) <= 0.05, (fields, group)
            at += 2
        description = group["description"].split("\n")
        assert fields[at:] == [description[0]], (fields, group)
        for carrier in group["carriers"]:
            carrier_fields = lines.pop(0).split("\t")
            part = fraction(carrier)
            assert carrier_fields[2] == f"{part.numerator}/{part.denominator} "
            assert carrier_fields[3] == percent(part, comma)
            assert carrier_fields[4].endswith(carrier["name"]), (carrier_fields, carrier)
        for warning in description[1:]:
            assert lines.pop(0) == warning
        for member in group["members"]:
            chance = fraction(member)
            assert lines.pop(0) == f"\t\t\t{chance.numerator}/{chance.denominator} \t{member['genotype']}"
    if lethal:
        assert lines.pop(0).startswith(f"{lethal.numerator}/{lethal.denominator} ")
    assert not lines, lines[:3]


def main(argv):
    program = argv[1]
    for language, comma in (("en", False), ("ru", True)):
        for male, female in PAIRINGS:
            words = ["--lang", language, "litter", male, female] + FIGURES
            compare(run(program, words), json.loads(run(program, words + ["--json"])), comma)
        words = ["--lang", language, "task", "7", "-12"] + FIGURES
        tasks = json.loads(run(program, words + ["--json"]))["tasks"]
        texts = run(program, words).split("\n\n")
        assert len(texts) == len(tasks) * 2 - 1 + 1, len(texts)
        for number, task in enumerate(tasks):
            head, answer = texts[2 * number], texts[2 * number + 1]
            assert head == f"{task['male']} * {task['female']}", head
            compare(answer + ("\n" if not answer.endswith("\n") else ""), task["litter"], comma)
    print("ok: the JSON agrees with the text")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
