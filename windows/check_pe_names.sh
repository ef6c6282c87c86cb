#!/usr/bin/env bash
# Checks a Windows DLL or program as a host machine sees it:
# - the names of its export table (or, with --imported-from DLL, the names it
#   imports from that DLL) are exactly those of an expected list of decorated
#   names such as _AddMoney@8; --undecorated compares with AddMoney instead,
#   as on 64-bit Windows;
# - it needs no MinGW runtime DLL, so the file alone is all a host installs.
# Usage: check_pe_names.sh OBJDUMP FILE EXPECTED_LIST [--undecorated] [--imported-from DLL]
set -euo pipefail
objdump=$1 file=$2 expected_list=$3
shift 3
undecorated=no imported_from=
while [ $# -gt 0 ]; do
  case $1 in
    --undecorated) undecorated=yes; shift ;;
    --imported-from) imported_from=$2; shift 2 ;;
    *) echo "check_pe_names.sh: unknown option $1" >&2; exit 2 ;;
  esac
done

dump=$("$objdump" -p "$file")

if [ -z "$imported_from" ]; then
  what="export table"
  # Entries of the name pointer table: "	[   0] _CloseCOMM@0".
  actual=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p')
else
  what="imports from $imported_from"
  # After "DLL Name: x.dll" and a heading, one "	<vma>	<hint>  <name>" line each.
  actual=$(printf '%s\n' "$dump" | sed -n "/DLL Name: $imported_from\$/,/^\$/p" \
           | sed -n 's/^[[:space:]]*[0-9a-f]\+[[:space:]]\+[0-9]\+[[:space:]]\+//p')
fi
actual=$(printf '%s\n' "$actual" | sort)
expected=$(grep -v '^[[:space:]]*$' "$expected_list" | sort)
if [ "$undecorated" = yes ]; then
  expected=$(printf '%s\n' "$expected" | sed -e 's/^_//' -e 's/@[0-9]*$//' | sort)
fi

status=0
if [ "$actual" != "$expected" ]; then
  echo "$what of $file differ from $expected_list (- expected, + found):"
  diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") | grep '^[<>]' | sed -e 's/^</-/' -e 's/^>/+/'
  status=1
fi

runtime=$(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | grep -iE '^lib(stdc\+\+|gcc|winpthread)' || true)
if [ -n "$runtime" ]; then
  echo "$file needs MinGW runtime DLLs that hosts do not have:" $runtime
  status=1
fi

[ $status -eq 0 ] && echo "$file: $what as expected ($(printf '%s\n' "$actual" | wc -l) names), no MinGW runtime DLL needed"
exit $status
