#!/bin/sh
# Times the program on words of 200 million characters, one kind of word
# per line, under a 256 MB address-space limit, and checks that each is
# answered exactly like its short twin.
# Prints, per kind, the median wall time in seconds and the median peak
# resident memory in KiB of the runs (GNU time's %e and %M).
#
#   bench/long_words.sh [path/to/quorvale] [runs] [characters]
#
# The program defaults to build/release/quorvale (cmake --workflow --preset
# release), runs to 3, characters to 200000000. The input is generated on
# the fly into a pipe, so neither this script nor the disk holds it.
set -eu

binary=${1:-build/release/quorvale}
runs=${2:-3}
n=${3:-200000000}

if [ ! -x "$binary" ]; then
  echo "no program at $binary; build it first" >&2
  exit 1
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Writes the input of one kind to standard output: its long form, or with
# "tame" its short twin. A piece "text*count" stands for text repeated.
generate() {
  python3 - "$1" "$2" "$n" <<'PY'
import sys
kind, form, n = sys.argv[1], sys.argv[2], int(sys.argv[3])
kinds = {
    # valid all the way: ToY may repeat; 3k + 2 = n characters
    "valid-genotype": (["e\n1\n", ("ToY", (n - 2) // 3), "ee\n5\n"], "e\n1\nToYee\n5\n"),
    # fails at its second pair; the rest is skipped
    "fails-at-second-pair": (["e\n1\neeXx", ("x", n - 4), "\n5\n"], "e\n1\neeXx\n5\n"),
    # two bytes of UTF-8 each: fails at its first pair
    "cyrillic": (["e\n1\n", ("\u0435", n), "\n5\n"], "e\n1\n\u0435\u0435\n5\n"),
    # option 2: a valid male, then a female failing at her second pair
    "both-parents": (["e\n2\n", ("ToY", (n - 2) // 3), "ee\nToTo", ("x", n - 4), "\n5\n"],
                     "e\n2\nToYee\nToToxx\n5\n"),
    # clamped to the largest 32-bit number
    "task-number": (["e\n3\n", ("9", n), "\n5\n"], "e\n3\n2147483647\n5\n"),
    # only its first character counts
    "menu-word": (["e\n", ("6", n), "\n5\n"], "e\n6\n5\n"),
}
long_form, tame = kinds[kind]
out = sys.stdout.buffer
if form == "tame":
    out.write(tame.encode())
else:
    for piece in long_form:
        if isinstance(piece, str):
            out.write(piece.encode())
            continue
        text, count = piece[0].encode(), piece[1]
        block = text * ((1 << 20) // len(text))
        per_block = (1 << 20) // len(text)
        while count >= per_block:
            out.write(block)
            count -= per_block
        out.write(text * count)
PY
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

printf '%-22s %8s %10s\n' kind seconds peak_KiB
for kind in valid-genotype fails-at-second-pair cyrillic both-parents task-number menu-word; do
  generate "$kind" tame | "$binary" > "$scratch/expected"
  : > "$scratch/times"
  i=1
  while [ "$i" -le "$runs" ]; do
    # Under a 256 MB address-space limit: no word may be held whole.
    generate "$kind" long |
      (ulimit -v 262144 && exec /usr/bin/time -f '%e %M' -o "$scratch/time" "$binary") \
        > "$scratch/actual"
    if ! cmp -s "$scratch/expected" "$scratch/actual"; then
      echo "$kind: the output differs from the short twin's" >&2
      exit 1
    fi
    cat "$scratch/time" >> "$scratch/times"
    i=$((i + 1))
  done
  seconds=$(cut -d' ' -f1 "$scratch/times" | median)
  peak=$(cut -d' ' -f2 "$scratch/times" | median)
  printf '%-22s %8s %10s\n' "$kind" "$seconds" "$peak"
done
