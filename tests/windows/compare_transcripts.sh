#!/usr/bin/env bash
# Runs end-to-end transcripts through the Windows build under Wine and checks
# that its standard output is byte for byte what is expected.
#
#   compare_transcripts.sh [--linux PROGRAM] QUORVALE_EXE TRANSCRIPT...
#
# A transcript is a pair NAME.in (standard input) and NAME.out (the expected
# standard output); a directory argument stands for every NAME.in in it.
# For each one, quorvale.exe runs under Wine with NAME.in as its input; its
# output must equal NAME.out (when that file exists) and, with --linux, the
# output of the Linux program on the same input, exit status included; its
# exit status must be 0 and its standard error empty.
# Standard input is a file, so there is no console and the key wait before a
# task's answer goes on at once, on both systems.
#
# Wine is kept quiet and needs no display: WINEDEBUG=-all, and a private
# WINEPREFIX (a temporary one unless the caller sets WINEPREFIX).
set -uo pipefail

usage() {
  echo "usage: $0 [--linux PROGRAM] QUORVALE_EXE TRANSCRIPT.in|DIR..." >&2
  exit 2
}

linux=""
if [[ ${1:-} == --linux ]]; then
  [[ $# -ge 2 ]] || usage
  linux=$2
  shift 2
fi
[[ $# -ge 2 ]] || usage
exe=$1
shift

wine=${QUORVALE_WINE:-wine}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

work=$(mktemp -d)
own_prefix=0
if [[ -z ${WINEPREFIX:-} ]]; then
  export WINEPREFIX=$work/wineprefix
  own_prefix=1
fi
cleanup() {
  # The Wine server of a temporary prefix goes with the prefix.
  if [[ $own_prefix -eq 1 && -d $WINEPREFIX ]]; then
    "${QUORVALE_WINESERVER:-wineserver}" -k 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# A new prefix is made once, quietly, before the timed runs; its messages
# would otherwise land in the first run's standard error.
"$wine" wineboot --init >/dev/null 2>&1

inputs=()
for arg in "$@"; do
  if [[ -d $arg ]]; then
    shopt -s nullglob
    found=("$arg"/*.in)
    shopt -u nullglob
    if [[ ${#found[@]} -eq 0 ]]; then
      echo "no transcripts (*.in) in $arg" >&2
      exit 1
    fi
    inputs+=("${found[@]}")
  else
    inputs+=("$arg")
  fi
done

# Shows where two outputs part: the first differing byte and a few lines.
show_difference() {
  local expected=$1 actual=$2
  cmp "$expected" "$actual" 2>&1 | head -n 1 | sed 's/^/    /'
  diff -u --label expected --label actual "$expected" "$actual" | head -n 20 | sed 's/^/    /'
}

failures=0
for input in "${inputs[@]}"; do
  name=$(basename "$input" .in)
  expected=${input%.in}.out
  win_out=$work/$name.windows
  # A run that never ends is a failure too, not a stuck CI job.
  timeout 120 "$wine" "$exe" <"$input" >"$win_out" 2>"$work/$name.windows.err"
  win_status=$?
  ok=1
  if [[ $win_status -ne 0 ]]; then
    echo "FAIL $name: quorvale.exe ended with status $win_status"
    ok=0
  fi
  if [[ -s $work/$name.windows.err ]]; then
    echo "FAIL $name: quorvale.exe wrote to standard error"
    sed 's/^/    stderr: /' "$work/$name.windows.err" | head -n 5
    ok=0
  fi
  if [[ -f $expected ]] && ! cmp -s "$expected" "$win_out"; then
    echo "FAIL $name: quorvale.exe output differs from $(basename "$expected")"
    show_difference "$expected" "$win_out"
    ok=0
  fi
  if [[ -n $linux ]]; then
    linux_out=$work/$name.linux
    timeout 120 "$linux" <"$input" >"$linux_out" 2>/dev/null
    linux_status=$?
    if [[ $linux_status -ne $win_status ]]; then
      echo "FAIL $name: exit status $win_status on Windows, $linux_status on Linux"
      ok=0
    fi
    if ! cmp -s "$linux_out" "$win_out"; then
      echo "FAIL $name: quorvale.exe output differs from the Linux program's"
      show_difference "$linux_out" "$win_out"
      ok=0
    fi
  fi
  if [[ $ok -eq 1 ]]; then
    echo "ok   $name"
  else
    failures=$((failures + 1))
  fi
done

echo "${#inputs[@]} transcripts, $failures failed"
[[ $failures -eq 0 ]]
