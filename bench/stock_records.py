#!/usr/bin/env python3
"""A breeder's records, made up, for timing the stock's inference.

  stock_records.py PROGRAM > records.csv

Breeds a stock from 8 founders by Mendel's rules with a fixed seed: 40
named animals in all (at most 3 mates per male, 3 matings of siblings and 2
of a parent with its young among them), 60 litters of 3 to 9 young, the
young of each litter recorded one row per coat and sex with their count,
10 of them without their sex. Coats come from the program itself (its
colour of each genotype). The first seed whose stock has at least 5 DE
White, 5 BE Cream and 5 Tortoiseshell or Tri-Color coats and 3 Ivory or
Black Pearl ones, and no unnamed colour, is used, so the same program writes
the same file.
"""

import random
import subprocess
import sys

# Autosomal genes: symbol as the notation writes the mutant and the wild
# allele, and each founder's chance of one and of two mutant alleles.
GENES = [
    ("e", "E", 0.45, 0.15),
    ("a", "A", 0.35, 0.15),
    ("p", "P", 0.12, 0.0),
    ("cd", "Cd", 0.30, 0.10),
    ("l", "L", 0.30, 0.05),
    ("U", "u", 0.12, 0.0),
    ("Ba", "ba", 0.15, 0.0),
    ("Sg", "sg", 0.12, 0.0),
    ("Lg", "lg", 0.10, 0.0),
]


def pair_text(gene, count):
    mutant, wild, _, _ = gene
    return [wild + wild, (mutant + wild if mutant[0].isupper() else wild + mutant), mutant + mutant][count]


def genotype_text(animal):
    parts = [pair_text(g, animal["genes"][i]) for i, g in enumerate(GENES)]
    to = animal["to"]
    parts.append(("ToY" if to else "toY") if animal["sex"] == "m" else ["toto", "Toto", "ToTo"][to])
    return "".join(parts)


def founder(rng, sex):
    genes = []
    for _, _, one, two in GENES:
        r = rng.random()
        genes.append(2 if r < two else 1 if r < two + one else 0)
    to = (1 if rng.random() < 0.3 else 0) if sex == "m" else (1 if rng.random() < 0.35 else 2 if rng.random() < 0.1 else 0)
    return {"sex": sex, "genes": genes, "to": to}


def gamete(rng, count):
    return 1 if count == 2 or (count == 1 and rng.random() < 0.5) else 0


def young(rng, father, mother):
    genes = [gamete(rng, f) + gamete(rng, m) for f, m in zip(father["genes"], mother["genes"])]
    from_mother = gamete(rng, mother["to"])
    if rng.random() < 0.5:
        return {"sex": "m", "genes": genes, "to": from_mother}
    return {"sex": "f", "genes": genes, "to": father["to"] + from_mother}


def lethal(animal):
    return animal["genes"][GENES.index(("Lg", "lg", 0.10, 0.0))] == 2


def coats(program, animals):
    words = [genotype_text(a) for a in animals]
    out = subprocess.run([program, "--lang", "en", "color"] + words, capture_output=True,
                         check=True, text=True).stdout
    lines = {}
    for block in out.split("\n\n"):
        word, line = block.split("\n")[:2]
        lines[word] = line.replace(", male", "").replace(", female", "")
    return [lines[w] for w in words]


def breed(seed):
    rng = random.Random(seed)
    named = [founder(rng, "m") for _ in range(4)] + [founder(rng, "f") for _ in range(4)]
    for i, a in enumerate(named):
        a.update(name=f"F{i + 1}", father=None, mother=None)
    mates = {}  # male name -> set of female names
    litters = []
    special = {22: "sib", 30: "sib", 38: "sib", 44: "parent", 52: "parent"}
    while len(litters) < 60:
        index = len(litters)
        males = [a for a in named if a["sex"] == "m"]
        females = [a for a in named if a["sex"] == "f"]
        kind = special.get(index)
        pairs = []
        for m in males:
            for f in females:
                sibs = m["father"] is not None and m["father"] == f["father"] and m["mother"] == f["mother"]
                parent = f["name"] in (m["father"], m["mother"]) or m["name"] in (f["father"], f["mother"])
                if kind == "sib" and not sibs or kind == "parent" and not parent:
                    continue
                if kind is None and (sibs or parent):
                    continue
                if len(mates.get(m["name"], set()) | {f["name"]}) > 3:
                    continue
                pairs.append((m, f))
        if not pairs:
            return None
        m, f = rng.choice(pairs)
        mates.setdefault(m["name"], set()).add(f["name"])
        born = [y for y in (young(rng, m, f) for _ in range(rng.randint(3, 9))) if not lethal(y)]
        if not born:
            continue
        if len(named) < 40:
            keep = born.pop(rng.randrange(len(born)))
            keep.update(name=f"N{len(named) - 7:02}", father=m["name"], mother=f["name"])
            named.append(keep)
        litters.append((m["name"], f["name"], born))
    return named, litters


def records(program, seed):
    bred = breed(seed)
    if bred is None:
        return None
    named, litters = bred
    everyone = named + [y for _, _, born in litters for y in born]
    for animal, coat in zip(everyone, coats(program, everyone)):
        animal["coat"] = coat
    rows = [[a["name"], a["sex"], a["coat"], a["father"] or "", a["mother"] or "", ""] for a in named]
    unsexed = 10
    for father, mother, born in litters:
        groups = {}
        for y in born:
            groups.setdefault((y["coat"], y["sex"]), []).append(y)
        for (coat, sex), same in sorted(groups.items()):
            if unsexed >= len(same) and "Tortoiseshell" not in coat and "Tri-Color" not in coat:
                unsexed -= len(same)
                sex = ""
            rows.append(["", sex, coat, father, mother, str(len(same))])
    if unsexed != 0:
        return None
    count = lambda *words: sum(1 for r in rows if any(w in r[2] for w in words))
    if count("DE White") < 5 or count("BE Cream") < 5 or count("Tortoiseshell", "Tri-Color") < 5 \
            or count("Ivory", "Black Pearl") < 3 or count("Unnamed") > 0:
        return None
    return rows


def main(argv):
    for seed in range(1, 1000):
        rows = records(argv[1], seed)
        if rows is not None:
            print("name,sex,coat,father,mother,count")
            for row in rows:
                print(",".join(row))
            print(f"seed {seed}", file=sys.stderr)
            return 0
    print("no seed gives such a stock", file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
