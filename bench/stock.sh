#!/bin/sh
# The stock's inference on a breeder's records (bench/stock_records.py: 40
# named animals, 60 litters, made up with a fixed seed): `stock` of the
# whole file, timed in alternation with the dialogue started and ended at
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
alternate "'$binary' --lang en stock records.csv > /dev/null" "'$binary' < exit.in > /dev/null"
rss=$(/usr/bin/time -f %M "$binary" --lang en stock records.csv 2>&1 >/dev/null | tail -n 1)
printf 'stock of every animal\n  command %s   reference %s   peak %s KB\n' \
  "$program_times" "$reference_times" "$rss"
