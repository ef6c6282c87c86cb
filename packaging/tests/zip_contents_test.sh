#!/usr/bin/env bash
# The Windows bundle holds exactly the files of its expected list under one
# top folder, every DLL and program is a Windows binary of its folder's
# flavour (i686: 32-bit x86, x86_64: 64-bit), and each (stripped) DLL exports
# exactly the names of the .def file beside its import library.
# Usage: zip_contents_test.sh PACKAGE_DIR EXPECTED_LIST
set -euo pipefail
source "$(dirname "$0")/package_test_lib.sh"
zips=("$1"/cardpayment-windows-*.zip)
[ ${#zips[@]} -eq 1 ] && [ -f "${zips[0]}" ] || fail "expected one cardpayment-windows-*.zip in $1"
mkdir "$scratch/unzipped"
(cd "$scratch/unzipped" && cmake -E tar xf "${zips[0]}")
top=$(basename "${zips[0]}" .zip)
[ "$(ls "$scratch/unzipped")" = "$top" ] || fail "the bundle's only top folder is not $top"
cd "$scratch/unzipped/$top"
diff -u <(sort "$2") <(find . -type f -printf '%P\n' | sort) || fail "the bundle does not hold exactly the files of $2"

for binary in i686/bin/* x86_64/bin/*; do
  case $binary in
    i686/*) machine="PE32 executable.*Intel 80386" ;;
    x86_64/*) machine="PE32\+ executable.*x86-64" ;;
  esac
  kind=$(file -b "$binary")
  [[ $kind =~ $machine ]] || fail "$binary is not a $machine binary: $kind"
done
for def in */lib/*.def; do
  flavour=${def%%/*}
  dll=$flavour/bin/$(basename "$def" .def).dll
  # .def lines after EXPORTS: "Name" or, decorated, "Name@8 == _Name@8"; the export is the last word.
  diff -u <(sed '1,/^EXPORTS/d' "$def" | awk '{print $NF}' | sort) \
          <("$flavour-w64-mingw32-objdump" -p "$dll" | sed -n '/Ordinal\/Name Pointer/,/^$/p' | sed -n 's/^\t\[ *[0-9]*\] //p' | sort) ||
    fail "$dll does not export exactly the names of $def"
done
echo "$top.zip: $(find . -type f | wc -l) files as expected, binaries of the right flavour and exports"
