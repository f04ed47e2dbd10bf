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
. "$(dirname "$0")/alternate.sh"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
printf 'e\n2\n%s\n%s\n5\n' "$male" "$female" > input
"$binary" < input > report

# Times program command $2 against reference command $3, labelled $1.
compare() {
  alternate "$2" "$3"
  printf '%-18s program %s   reference %s   ratio %sx (%s)\n' \
    "$1" "$program_times" "$reference_times" "$ratio" "$ratio_range"
}

echo "largest litter, $(wc -c < report) bytes; median (min-max) of $rounds rounds"
compare '> /dev/null' "'$binary' < input > /dev/null" "cat report > /dev/null"
compare '| cat > /dev/null' "'$binary' < input | cat > /dev/null" \
  "cat report | cat > /dev/null"
compare '> file' "'$binary' < input > copy" "cp report copy"
rss=$(/usr/bin/time -f %M "$binary" < input 2>&1 > /dev/null)
echo "peak resident memory: ${rss} KB; $(nproc) cores; load: $(cut -d' ' -f1-3 /proc/loadavg)"
