#!/usr/bin/env bash
# The fuzz targets in CI: builds them (preset "fuzz": clang++, libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer), replays every seed in
# fuzz/corpus/<target>/ as a regression test, then fuzzes each target for
# FUZZ_SECONDS seconds (default 60) from a scratch copy of its corpus.
# A failing input is kept in build/fuzz/findings/ and printed in base64;
# turn it into a unit test, fix the fault, and add it to the seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-60}
targets=(parser dialogue litter command_line stock)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

findings=build/fuzz/findings
mkdir -p "$findings"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failed=0
for target in "${targets[@]}"; do
  binary=build/fuzz/fuzz/fuzz_$target
  seeds=(fuzz/corpus/"$target"/*)
  echo "== fuzz_$target: replaying ${#seeds[@]} seeds"
  if ! "$binary" "${seeds[@]}" > "$work/$target.replay" 2>&1; then
    tail -n 40 "$work/$target.replay"
    failed=$((failed + 1))
    continue
  fi
  echo "== fuzz_$target: fuzzing for $seconds s"
  mkdir -p "$work/$target"
  if ! "$binary" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=4096 \
      -print_final_stats=1 -artifact_prefix="$findings/$target-" \
      "$work/$target" fuzz/corpus/"$target" > "$work/$target.log" 2>&1; then
    tail -n 60 "$work/$target.log"
    failed=$((failed + 1))
    continue
  fi
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$work/$target.log" | sed 's/^/   /'
done
echo "fuzz: $((${#targets[@]} - failed)) passed, $failed failed"
[[ $failed -eq 0 ]]
