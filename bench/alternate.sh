# Timing in alternation, for the benchmark scripts that source it: a
# command and its reference are run in turn, round after round, so that
# whatever else the machine does falls on both alike. Works in the current
# directory (its scratch files program.t, reference.t, ratio.t).

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

# Times command $1 against reference command $2, $rounds times each, in
# alternation. Sets program_times and reference_times (median, min-max),
# ratio (of the medians) and ratio_range (min-max of the rounds' ratios).
alternate() {
  : > program.t
  : > reference.t
  : > ratio.t
  i=1
  while [ "$i" -le "$rounds" ]; do
    p=$(seconds "$1")
    r=$(seconds "$2")
    echo "$p" >> program.t
    echo "$r" >> reference.t
    echo "$p $r" | awk '{ printf "%.3f\n", $1 / $2 }' >> ratio.t
    i=$((i + 1))
  done
  program_times=$(summary program.t)
  reference_times=$(summary reference.t)
  ratio=$(echo "$(median program.t) $(median reference.t)" | awk '{ printf "%.2f", $1 / $2 }')
  ratio_range=$(sort -n ratio.t | awk '{ v[NR] = $1 } END { printf "%.2f-%.2f", v[1], v[NR] }')
}
