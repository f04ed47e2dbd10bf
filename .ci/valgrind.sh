#!/usr/bin/env bash
# The program under valgrind memcheck: sessions in both languages that touch
# every menu option (a description, a parse error, litters with warnings and
# with a few hundred offspring, a hard and an easy random task, words that
# are no option, hostile bytes) and one that ends in the middle of a
# question. Any memory error or leak fails the run, and the output must be
# the same bytes as without valgrind.
#
#   .ci/valgrind.sh            builds with the "test" preset (RelWithDebInfo)
#   QUORVALE_BINARY=path .ci/valgrind.sh    checks that binary instead
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v valgrind >/dev/null 2>&1; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq valgrind >/dev/null
fi

binary=${QUORVALE_BINARY:-}
if [[ -z $binary ]]; then
  cmake --preset test >/dev/null
  cmake --build --preset test --target quorvale
  binary=build/test/quorvale
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One session per file; every one ends with the input, not with option 5,
# except where 5 is part of what is tested.
printf '%s\n' x E e 1 eeDgdgUu 1 cdcdSgSgToY 1 Xx 1 eeE 2 Sasa Sasa 2 ToY toto \
  2 EeDgdgPpAaUu EeDgdgPpAaLlToto 2 Lglg Lglg 2 ToTo ee 3 abc 0 12 4 -3 6 a 5 > "$work/english.in"
printf '%s\n' r 1 ToToSgSgee 1 ЕЕ 2 cdcdToY cdcdToTo 2 DsdsUu Dsds 3 2147483648 4 7 \
  1 'ee🐹' 2 LgLgDgdg SgSgToto > "$work/russian.in"
printf 'e\n1\n\0\0\n1\nee\xff\xfe\n2\n\xed\xa0\x80\n--\n1\nee\xd0' > "$work/hostile.in"
printf 'r\n2\nEeToY\n' > "$work/ends_at_female.in"

failed=0
for session in english russian hostile ends_at_female; do
  echo "== valgrind: $session"
  "$binary" < "$work/$session.in" > "$work/$session.plain" 2>&1
  if ! valgrind --quiet --error-exitcode=99 --leak-check=full \
      --show-leak-kinds=definite,indirect,possible --errors-for-leak-kinds=definite,indirect,possible \
      --track-origins=yes --log-file="$work/$session.log" \
      "$binary" < "$work/$session.in" > "$work/$session.out"; then
    echo "memcheck found errors in the $session session:"
    cat "$work/$session.log"
    failed=$((failed + 1))
  elif ! cmp -s "$work/$session.plain" "$work/$session.out"; then
    echo "the $session session wrote different output under valgrind"
    failed=$((failed + 1))
  elif [[ -s $work/$session.log ]]; then
    cat "$work/$session.log"
  fi
done
echo "valgrind: $((4 - failed)) passed, $failed failed"
[[ $failed -eq 0 ]]
