#!/usr/bin/env bash
# Checks that a Windows executable needs none of the MinGW runtime DLLs
# (libstdc++, libgcc, winpthread), so that it runs on a bare Windows.
#
#   check_imports.sh OBJDUMP PROGRAM.exe
set -euo pipefail
[[ $# -eq 2 ]] || { echo "usage: $0 OBJDUMP PROGRAM.exe" >&2; exit 2; }
imports=$("$1" -p "$2" | sed -n 's/^[[:space:]]*DLL Name: //p')
if [[ -z $imports ]]; then
  echo "FAIL: no imported DLLs found in $2 (is it a Windows executable?)"
  exit 1
fi
echo "$(basename "$2") imports: $(echo $imports)"
if grep -iE '^(libstdc\+\+|libgcc|libwinpthread)' <<<"$imports"; then
  echo "FAIL: $(basename "$2") needs MinGW runtime DLLs; it must be linked statically"
  exit 1
fi
