#!/usr/bin/env bash
# The program as a user installs it: both manual pages render without a
# single warning, the Debian package is built and passes lintian with no
# error and no warning, its files are the expected ones, and the program
# inside it answers a session byte for byte as the transcript says;
# `cmake --install` installs the expected files too. Runs on a fresh Debian
# (bookworm) machine; installs what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ libboost-dev python3 dpkg-dev lintian groff man-db)
if ! dpkg -s "${packages[@]}" >/dev/null 2>&1; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs a command and fails when it writes anything to standard error.
silent() {
  "$@" 2> "$work/stderr" > /dev/null
  if [[ -s $work/stderr ]]; then
    echo "warnings from: $*"
    cat "$work/stderr"
    return 1
  fi
}

# The Russian page holds Cyrillic text, so groff reads the pages through
# preconv (-k) and renders for a UTF-8 terminal (-Tutf8); man detects the
# encoding from the page's first line. The Russian page is rendered with
# man -l, since the ru_RU.UTF-8 locale need not exist on the machine. The
# English page holds only ASCII, so it must also render where no UTF-8
# locale is set (LANG=C, or LANG unset).
check_pages() {
  local page
  for page in "$@"; do
    silent env LANG=C.UTF-8 MANWIDTH=80 man --warnings -l "$page"
    if [[ $page != *.gz ]]; then
      silent groff -man -ww -z -k -Tutf8 "$page"
    fi
    if [[ $page != */ru/* && $page != *.ru.1 ]]; then
      silent env LANG=C MANWIDTH=80 man --warnings -l "$page"
      silent env -u LANG -u LC_ALL MANWIDTH=80 man --warnings -l "$page"
    fi
  done
}

echo "== the manual pages render without warnings"
time check_pages doc/quorvale.1 doc/quorvale.ru.1

echo "== the Debian package"
time cmake --workflow --preset package
deb=build/package/quorvale_1.0.0_amd64.deb
echo "$deb: $(stat -c %s "$deb") bytes"

echo "== lintian: no error, no warning"
time lintian --info --fail-on error,warning "$deb"

echo "== the files of the package, and the packaged program"
dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | LC_ALL=C sort > "$work/deb.files"
cat > "$work/deb.expected" <<'LIST'
./usr/bin/quorvale
./usr/share/bash-completion/completions/quorvale
./usr/share/doc/quorvale/README.md
./usr/share/doc/quorvale/changelog.gz
./usr/share/doc/quorvale/copyright
./usr/share/man/man1/quorvale.1.gz
./usr/share/man/ru/man1/quorvale.1.gz
LIST
diff -u "$work/deb.expected" "$work/deb.files"
dpkg-deb -x "$deb" "$work/root"
check_pages "$work/root/usr/share/man/man1/quorvale.1.gz" "$work/root/usr/share/man/ru/man1/quorvale.1.gz"
for session in colour_from_genotype_english colour_from_genotype_russian; do
  "$work/root/usr/bin/quorvale" < "tests/e2e/$session.in" > "$work/$session.out"
  cmp "tests/e2e/$session.out" "$work/$session.out"
done
# And a command line, as a script calls it.
mapfile -t arguments < tests/cli/litter_members_as_the_dialogue.args
"$work/root/usr/bin/quorvale" "${arguments[@]}" < /dev/null > "$work/command.out"
cmp tests/cli/litter_members_as_the_dialogue.out "$work/command.out"

echo "== cmake --install"
cmake --install build/package --prefix "$work/prefix" > /dev/null
(cd "$work/prefix" && find . -type f | LC_ALL=C sort) > "$work/install.files"
cat > "$work/install.expected" <<'LIST'
./bin/quorvale
./share/bash-completion/completions/quorvale
./share/doc/quorvale/LICENSE
./share/doc/quorvale/README.md
./share/man/man1/quorvale.1
./share/man/ru/man1/quorvale.1
LIST
diff -u "$work/install.expected" "$work/install.files"
echo "package: passed"
