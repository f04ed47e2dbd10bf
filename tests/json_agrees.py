#!/usr/bin/env python3
"""The JSON of a litter says what its text says.

  json_agrees.py PROGRAM

For a few pairings and tasks, in both languages, runs the program once with
--json and once for the text, both with --percent --pups 8 --carriers
--members, and checks that the JSON parses and that every text and figure
of the text report stands in it: the parents, the warnings, each group's
fraction, percentage, share of the born, chances, line and warnings, its
carrier lines and its members, in the same order, and the lethal line;
and that every chance has the form of one (digit strings in lowest
terms, a value of six significant figures that is not 0 unless the
chance is) and every figure is its exact fraction's.
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


def fraction(chance):
    """A chance's exact fraction; checks its form: digit strings in lowest
    terms, and a value of six significant figures that is 0 only for 0."""
    numerator, denominator = chance["numerator"], chance["denominator"]
    assert isinstance(numerator, str) and numerator.isdigit(), chance
    assert isinstance(denominator, str) and denominator.isdigit(), chance
    exact = Fraction(int(numerator), int(denominator))
    assert (exact.numerator, exact.denominator) == (int(numerator), int(denominator)), chance
    close_to(chance["value"], exact, chance)
    return exact


def close_to(value, exact, what):
    """A JSON number of six significant figures for an exact fraction."""
    assert isinstance(value, (int, float)), what
    assert (value == 0) == (exact == 0), what
    assert abs(Fraction(str(value)) - exact) <= exact * Fraction(1, 200000), (what, float(exact))


def sex_of(line):
    for sex in ("male", "female"):
        if line.endswith((", " + sex, {"male": ", самец", "female": ", самка"}[sex])):
            return sex
    return None


def compare(text, report, comma):
    lines = text.split("\n")
    assert lines[-1] == ""
    lines.pop()
    male_line = lines.pop(0)
    female_line = lines.pop(0)
    for line, animal, sex in ((male_line, report["male"], "male"), (female_line, report["female"], "female")):
        expected = animal["line"]
        if animal["carrier_line"] is not None:
            expected += ", " + animal["carrier_line"]
        assert line.split(": ", 1)[1] == expected, (line, animal)
        assert animal["warnings"] == [] and animal["sex"] == sex, animal
    for warning in report["warnings"]:
        assert lines.pop(0) == f"!!! {warning} !!!"
    lines.pop(0)  # the litter's label
    lethal = fraction(report["lethal"]) if "lethal" in report else Fraction(0)
    for group in report["groups"]:
        fields = lines.pop(0)[1:].split("\t")
        share = fraction(group["chance"])
        figures = group["figures"]
        assert fields[0] == f"{share.numerator}/{share.denominator} ", fields
        assert fields[1] == figures["percent"], (fields, group)
        at = 2
        if "live" in group:
            assert fraction(group["live"]) == share / (1 - lethal)
            assert fields[at] == figures["live"] + (" от родившихся" if comma else " of the born"), fields
            at += 1
        if not group["lethal"]:
            assert fields[at].endswith(": " + figures["at_least_one"]), (fields, group)
            assert fields[at + 1].endswith(": " + figures["expected"]), (fields, group)
            born = share / (1 - lethal)
            close_to(group["at_least_one"], 1 - (1 - born) ** 8, group)
            close_to(group["expected"], 8 * born, group)
            at += 2
        assert fields[at:] == [group["line"]], (fields, group)
        if sex_of(group["line"]):
            assert group["sex"] == sex_of(group["line"]), group
        for carrier in group["carriers"]:
            carrier_fields = lines.pop(0).split("\t")
            part = fraction(carrier["chance"])
            assert carrier_fields[2] == f"{part.numerator}/{part.denominator} "
            assert carrier_fields[3:] == [carrier["figures"]["percent"], carrier["line"]], (carrier_fields, carrier)
            assert carrier["line"].endswith(carrier["name"]), carrier
        for warning in group["warnings"]:
            assert lines.pop(0) == f"\t!!! {warning} !!!"
        for member in group["members"]:
            chance = fraction(member["chance"])
            assert lines.pop(0) == f"\t\t\t{chance.numerator}/{chance.denominator} \t{member['genotype']}"
    if lethal:
        assert lines.pop(0) == report["lethal_line"]
        assert report["lethal_line"].startswith(f"{lethal.numerator}/{lethal.denominator} ")
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
