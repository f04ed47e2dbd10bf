#!/bin/sh
# Times menu option 2 on the largest possible litter (6,377,292 offspring)
# through the real program, standard output to /dev/null, and prints the
# median wall time and the largest peak resident memory of the runs.
#
#   bench/time_largest_litter.sh [path/to/quorvale] [runs]
#
# The program defaults to build/release/quorvale (cmake --workflow --preset
# release); runs defaults to 5.
set -eu

binary=${1:-build/release/quorvale}
runs=${2:-5}
male=EeDgdgPpAaCdcdRdrdLlUuBabaSasaSgsgLglgDsdsToY
female=EeDgdgPpAaCdcdRdrdLlUuBabaSasaSgsgLglgDsdsToto

if [ ! -x "$binary" ]; then
  echo "no program at $binary; build it first" >&2
  exit 1
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
printf 'e\n2\n%s\n%s\n5\n' "$male" "$female" > "$scratch/input"

i=1
while [ "$i" -le "$runs" ]; do
  /usr/bin/time -v "$binary" < "$scratch/input" > /dev/null 2> "$scratch/time"
  # "Elapsed (wall clock) time (h:mm:ss or m:ss): 0:00.87"
  wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$scratch/time" |
         awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; print s }')
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$scratch/time")
  echo "run $i: ${wall} s, ${rss} KB peak RSS"
  echo "$wall" >> "$scratch/walls"
  echo "$rss" >> "$scratch/rss"
  i=$((i + 1))
done

median=$(sort -n "$scratch/walls" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
peak=$(sort -n "$scratch/rss" | tail -n 1)
echo "median wall: ${median} s over ${runs} runs; peak RSS: ${peak} KB ($(nproc) cores)"
