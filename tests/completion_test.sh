#!/usr/bin/env bash
# The bash completion (packaging/bash-completion/quorvale) with the real
# program: the commands, the options of the command typed, and the words of
# the colour names after genotypes and colors, which it takes from the
# program's own table (quorvale --lang ru colors).
#
#   completion_test.sh PROGRAM COMPLETION
set -euo pipefail
export LC_ALL=C.UTF-8
program=$1
source "$2"
failed=0

# expect WORD... -- CANDIDATE...: completing the last word gives exactly
# these candidates.
expect() {
  local words=() wanted
  while [[ $1 != -- ]]; do
    words+=("$1")
    shift
  done
  shift
  COMP_WORDS=("${words[@]}")
  COMP_CWORD=$((${#words[@]} - 1))
  COMPREPLY=()
  _quorvale "$program" "${words[-1]}" "${words[-2]}"
  wanted=$(printf '%s\n' "$@" | sort)
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort)
  if [[ $got != "$wanted" ]]; then
    printf 'completing "%s": got [%s], wanted [%s]\n' "${words[*]}" "${got//$'\n'/ }" \
      "${wanted//$'\n'/ }"
    failed=1
  fi
}

expect quorvale ge -- genotypes
expect quorvale litter --c -- --carriers
expect quorvale prove f.csv Lulu --co -- --confidence
expect quorvale genotypes sab -- Sable
expect quorvale --lang en genotypes LH Tor -- Tortoiseshell
expect quorvale colors сер -- серебре серебристый
# The Latin c of three Russian names comes as the Cyrillic one, once.
expect quorvale colours сл -- слоновая
expect quorvale colours cл --
exit $failed
