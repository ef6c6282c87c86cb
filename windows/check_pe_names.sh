#!/usr/bin/env bash
# Checks a Windows DLL as a host machine sees it:
# - its export table holds exactly the names of an expected list (decorated
#   names such as _AddMoney@8; --undecorated compares with AddMoney instead,
#   as 64-bit hosts see them);
# - it needs no MinGW runtime DLL, so the one file is all a host installs.
# Usage: check_exports.sh OBJDUMP DLL EXPECTED_LIST [--undecorated]
set -euo pipefail
objdump=$1 dll=$2 expected_list=$3 mode=${4:-}

dump=$("$objdump" -p "$dll")

# Entries of the name pointer table look like "	[   0] _CloseCOMM@0".
actual=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p' | sort)
expected=$(grep -v '^[[:space:]]*$' "$expected_list" | sort)
if [ "$mode" = "--undecorated" ]; then
  expected=$(printf '%s\n' "$expected" | sed -e 's/^_//' -e 's/@[0-9]*$//' | sort)
fi

status=0
if [ "$actual" != "$expected" ]; then
  echo "export table of $dll differs from $expected_list (- expected, + found):"
  diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") | grep '^[<>]' | sed -e 's/^</-/' -e 's/^>/+/'
  status=1
fi

runtime=$(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | grep -iE '^lib(stdc\+\+|gcc|winpthread)' || true)
if [ -n "$runtime" ]; then
  echo "$dll needs MinGW runtime DLLs that hosts do not have:" $runtime
  status=1
fi

[ $status -eq 0 ] && echo "$dll: $(printf '%s\n' "$actual" | wc -l) exports as expected, no MinGW runtime DLL needed"
exit $status
