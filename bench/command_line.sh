#!/bin/sh
# The command line's answers against what they are measured by, on the
# largest litter (both parents heterozygous in every gene, the male ToY, the
# female Toto): each command is timed in alternation with its reference
# (program, reference, program, ...), and the medians, the min-max of the
# runs, the ratio of the medians with the min-max of the ratios of the
# rounds, and each command's peak resident memory are printed:
#
#   litter --percent --pups 8 --carriers --sort share
#       against the dialogue's whole report of the same litter (option 2,
#       6,377,292 member lines);
#   litter --json --members
#       against litter --members, the text it streams beside;
#   colors, and genotypes for a few colour lines
#       against the dialogue started and ended at once (option 5).
#
#   bench/command_line.sh [path/to/quorvale] [rounds]
#
# The program defaults to build/release/quorvale (cmake --workflow --preset
# release); rounds defaults to 7. Timings are wall clock: run it on an idle
# machine.
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
printf 'e\n2\n%s\n%s\n5\n' "$male" "$female" > dialogue.in
printf 'e\n5\n' > exit.in

# Times command $2 against reference command $3, labelled $1, and prints
# the command's peak memory.
compare() {
  alternate "$2" "$3"
  rss=$(/usr/bin/time -f %M sh -c "$2" 2>&1 >/dev/null | tail -n 1)
  printf '%s\n  command %s   reference %s   ratio %sx (%s)   peak %s KB\n' \
    "$1" "$program_times" "$reference_times" "$ratio" "$ratio_range" "$rss"
}

echo "median (min-max) of $rounds rounds; $(nproc) cores; load: $(cut -d' ' -f1-3 /proc/loadavg)"
compare 'litter --percent --pups 8 --carriers --sort share, against the dialogue'"'"'s report' \
  "'$binary' litter --percent --pups 8 --carriers --sort share $male $female > /dev/null" \
  "'$binary' < dialogue.in > /dev/null"
compare 'litter --json --members, against litter --members' \
  "'$binary' --json litter --members $male $female > /dev/null" \
  "'$binary' litter --members $male $female > /dev/null"
compare 'colors, against the dialogue started and ended' \
  "'$binary' colors > /dev/null" "'$binary' < exit.in > /dev/null"
compare 'genotypes SH Black Banded, against the dialogue started and ended' \
  "'$binary' genotypes SH Black Banded > /dev/null" "'$binary' < exit.in > /dev/null"
compare 'genotypes LH Umbrous Golden Banded Satin, against the same' \
  "'$binary' genotypes LH Umbrous Golden Banded Satin > /dev/null" \
  "'$binary' < exit.in > /dev/null"
compare 'genotypes черный с поясом КШ (Russian), against the same' \
  "'$binary' --lang ru genotypes черный с поясом КШ > /dev/null" \
  "'$binary' < exit.in > /dev/null"
