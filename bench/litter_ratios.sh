#!/bin/sh
# How close menu option 2 on the largest possible litter (6,377,292 member
# lines, 296 MB) comes to merely moving the same bytes. For each place the
# report can go it times the program and a command that moves the finished
# report there, in alternation (program, reference, program, ...), and
# prints the medians, the min-max of the runs, and the ratio of the medians
# with the min-max of the ratios of the rounds:
#
#   > /dev/null     against  cat report > /dev/null
#   | cat > /dev/null  against  cat report | cat > /dev/null
#   > file          against  cp report file
#
# and the program's peak resident memory.
#
#   bench/litter_ratios.sh [path/to/quorvale] [rounds]
#
# The program defaults to build/release/quorvale (cmake --workflow --preset
# release); rounds defaults to 7. The scratch files (about 600 MB) go to
# $TMPDIR, or /tmp. Timings are wall clock: run it on an idle machine.
set -eu

binary=${1:-build/release/quorvale}
rounds=${2:-7}
male=EeDgdgPpAaCdcdRdrdLlUuBabaSasaSgsgLglgDsdsToY
female=EeDgdgPpAaCdcdRdrdLlUuBabaSasaSgsgLglgDsdsToto

if [ ! -x "$binary" ]; then
  echo "no program at $binary; build it first" >&2
  exit 1
fi
binary=$(cd "$(dirname "$binary")" && pwd)/$(basename "$binary")

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
printf 'e\n2\n%s\n%s\n5\n' "$male" "$female" > input
"$binary" < input > report

# Runs the shell command $1 once; prints its wall time in seconds.
seconds() {
  start=$(date +%s%N)
  sh -c "$1"
  end=$(date +%s%N)
  echo "$start $end" | awk '{ printf "%.4f\n", ($2 - $1) / 1e9 }'
}

# The median, min and max of the numbers in file $1.
summary() {
  sort -n "$1" | awk '{ v[NR] = $1 }
    END { printf "%.3f s (%.3f-%.3f)", v[int((NR + 1) / 2)], v[1], v[NR] }'
}
median() {
  sort -n "$1" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

# Times program command $2 against reference command $3, labelled $1.
compare() {
  : > program.t
  : > reference.t
  : > ratio.t
  i=1
  while [ "$i" -le "$rounds" ]; do
    p=$(seconds "$2")
    r=$(seconds "$3")
    echo "$p" >> program.t
    echo "$r" >> reference.t
    echo "$p $r" | awk '{ printf "%.3f\n", $1 / $2 }' >> ratio.t
    i=$((i + 1))
  done
  ratio=$(echo "$(median program.t) $(median reference.t)" | awk '{ printf "%.2f", $1 / $2 }')
  range=$(sort -n ratio.t | awk '{ v[NR] = $1 } END { printf "%.2f-%.2f", v[1], v[NR] }')
  printf '%-18s program %s   reference %s   ratio %sx (%s)\n' \
    "$1" "$(summary program.t)" "$(summary reference.t)" "$ratio" "$range"
}

echo "largest litter, $(wc -c < report) bytes; median (min-max) of $rounds rounds"
compare '> /dev/null' "'$binary' < input > /dev/null" "cat report > /dev/null"
compare '| cat > /dev/null' "'$binary' < input | cat > /dev/null" \
  "cat report | cat > /dev/null"
compare '> file' "'$binary' < input > copy" "cp report copy"
rss=$(/usr/bin/time -f %M "$binary" < input 2>&1 > /dev/null)
echo "peak resident memory: ${rss} KB; $(nproc) cores; load: $(cut -d' ' -f1-3 /proc/loadavg)"
