#!/bin/sh
# The stock's inference on a breeder's records (bench/stock_records.py: 40
# named animals, 60 litters, made up with a fixed seed): `stock` of the
# whole file, a litter of two of its animals and the test matings of two, timed in alternation with the dialogue started and ended at
# once (option 5) as the reference, with the medians, the min-max of the
# runs, and the peak resident memory.
#
#   bench/stock.sh [path/to/quorvale] [rounds]
#
# The program defaults to build/release/quorvale (cmake --workflow --preset
# release); rounds defaults to 7. Timings are wall clock: run it on an idle
# machine.
set -eu

binary=${1:-build/release/quorvale}
rounds=${2:-7}
if [ ! -x "$binary" ]; then
  echo "no program at $binary; build it first" >&2
  exit 1
fi
binary=$(cd "$(dirname "$binary")" && pwd)/$(basename "$binary")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/alternate.sh"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
python3 "$here/stock_records.py" "$binary" > records.csv 2> seed.txt
printf 'e\n5\n' > exit.in

echo "median (min-max) of $rounds rounds; $(nproc) cores; load: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "records: $(($(wc -l < records.csv) - 1)) rows, $(cat seed.txt)"
# Times command $2 (in the shell) against the dialogue started and ended,
# labelled $1, and prints its peak memory.
measure() {
  alternate "$2" "'$binary' < exit.in > /dev/null"
  rss=$(/usr/bin/time -f %M sh -c "$2" 2>&1 >/dev/null | tail -n 1)
  printf '%s\n  command %s   reference %s   peak %s KB\n' "$1" "$program_times" \
    "$reference_times" "$rss"
}
# The last named male and female of the file, and the last pair that had a
# litter there.
male=$(awk -F, '$1 != "" && $2 == "m" { name = $1 } END { print name }' records.csv)
female=$(awk -F, '$1 != "" && $2 == "f" { name = $1 } END { print name }' records.csv)
measure 'stock of every animal' "'$binary' --lang en stock records.csv > /dev/null"
measure "litter --stock of $male x $female, every figure" \
  "'$binary' --lang en litter --stock records.csv $male $female --percent --pups 8 --carriers --members > /dev/null"
# The test matings of the first and of the last named male: every gene the
# stock shows for them, against every female of the file.
first=$(awk -F, '$1 != "" && $2 == "m" { print $1; exit }' records.csv)
measure "prove of $first" "'$binary' --lang en prove records.csv $first > /dev/null"
measure "prove of $male" "'$binary' --lang en prove records.csv $male > /dev/null"
