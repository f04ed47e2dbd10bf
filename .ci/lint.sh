#!/usr/bin/env bash
# Lint: fails on any finding of
#  - the module layering: a module of the program includes only itself and
#    the modules below it;
#  - the core (genetics to tasks, and stock) as every front end needs it: it takes the
#    language as a parameter (only app/ holds the run's current language)
#    and throws nothing, so it compiles with -fno-exceptions;
#  - the web page's scripts (page/js): their syntax (node --check), and
#    nothing the core computes or words: no rounding or powers, no gene
#    symbol, no colour word;
#  - clang-format (.clang-format) over every .cpp and .h;
#  - clang-tidy (.clang-tidy) over every source of the compile database of
#    the test preset's build, with the headers of src/ it includes, and over
#    the fuzz targets and benchmarks, which that build does not compile.
# Needs the test preset configured (the README's test command does that),
# and node (Debian's nodejs).
set -euo pipefail
cd "$(dirname "$0")/.."

echo "-- layering"
# Which modules the files of each module may include, bottom-up. The unit
# tests (*_test.cpp) and the test support (src/testing) may include any.
declare -A allowed=(
  [genetics]="genetics"
  [text]="text genetics"
  [phenotype]="phenotype text genetics"
  [litter]="litter phenotype text genetics"
  [tasks]="tasks litter phenotype text genetics"
  [stock]="stock litter phenotype text genetics"
  [console]="console text"
  [app]="app console stock tasks litter phenotype text genetics"
  [webapi]="webapi stock tasks litter phenotype text genetics"
)
status=0
for dir in src/*/; do
  module=$(basename "$dir")
  [[ $module == testing ]] && continue
  if [[ -z ${allowed[$module]+set} ]]; then
    echo "src/$module: a module missing from the layering table in $0"
    status=1
    continue
  fi
  for file in "$dir"*.h "$dir"*.cpp; do
    [[ -e $file && $file != *_test.cpp ]] || continue
    while IFS= read -r line; do
      included=${line#*:}
      included=${included#*\"}
      target=${included%%/*}
      if [[ " ${allowed[$module]} " != *" $target "* ]]; then
        echo "$file: includes ${included%\"*} (src/$module may include: ${allowed[$module]})"
        status=1
      fi
    done < <(grep -n '^#include "[a-z_]*/' "$file" || true)
  done
done
[[ $status == 0 ]] || exit 1

echo "-- the core: the language as a parameter, and no exceptions"
core=(src/genetics src/text src/phenotype src/litter src/tasks src/stock)
mapfile -t core_files < <(git ls-files "${core[@]/%//*.h}" "${core[@]/%//*.cpp}" | grep -v '_test\.cpp$')
if grep -n 'currentLanguage' "${core_files[@]}" src/console/*; then
  echo "the modules below app/ take the language as a parameter; only app/ reads the run's"
  exit 1
fi
# The web page's front end is built with -fno-exceptions too (its
# interface file holds WebAssembly attributes, which only clang for wasm32
# knows; the web preset compiles it).
printf '%s\n' "${core_files[@]}" src/webapi/requests.cpp | grep '\.cpp$' |
  xargs -P 2 -n 1 g++ -std=c++20 -fsyntax-only -fno-exceptions -DBOOST_NO_EXCEPTIONS -Wall -Wextra -Werror -Isrc

echo "-- the page's scripts: their syntax, and nothing the core computes or words"
mapfile -t page_scripts < <(git ls-files 'page/js/*.js')
for script in "${page_scripts[@]}"; do
  node --check "$script"
done
# The page shows what the core writes: every figure, colour and gene of an
# answer comes from it, in the answer's language. So a page script rounds
# nothing and raises nothing to a power, and holds no gene symbol or pair
# ('Ba', 'Ee', 'ToY') and no coat length of a colour line ('SH ', КШ).
pair='((?i:e|dg|p|a|cd|rd|l|u|ba|sa|sg|lg|ds|to))(?i:\2)'
symbol='(?i:dg|cd|rd|ba|sa|sg|lg|ds|to)|[EPALU]'
if grep -nE 'toFixed|Math\.round|Math\.pow|\*\*' "${page_scripts[@]}" ||
   grep -nP "(['\"\`])(?:(?:$pair)+(?:(?i:to)Y)?|(?i:to)Y|$symbol)\1" "${page_scripts[@]}" ||
   grep -nP "(['\"\`])(SH|LH) |(SH|LH)(['\"\`])|КШ|ДШ" "${page_scripts[@]}"; then
  echo "the page's scripts compute or word what the core does; take it from the core's answer"
  exit 1
fi

echo "-- clang-format"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

echo "-- clang-tidy"
# The compile database comes from the GCC build; clang-tidy does not know
# GCC-only warning options such as -Wno-restrict. Its count of warnings in
# code outside src/ (the standard library, GoogleTest) is noise here.
quiet_tidy() {
  clang-tidy --quiet --warnings-as-errors='*' "$@" 2> >(grep -v ' warnings\? generated\.$' >&2)
}
export -f quiet_tidy
python3 -c 'import json, sys
for entry in json.load(open(sys.argv[1])):
    print(entry["file"])' build/test/compile_commands.json |
  sort -u |
  xargs -P 2 -n 4 bash -c 'quiet_tidy -p build/test --extra-arg=-Wno-unknown-warning-option "$@"' _
mapfile -t others < <(git ls-files 'fuzz/*.cpp' 'bench/*.cpp')
quiet_tidy "${others[@]}" -- -std=c++20 -DBOOST_NO_EXCEPTIONS -Isrc -Ifuzz
