#!/usr/bin/env bash
# The packaged manual pages of cardctl and serverconf-cli describe every
# command that the program's own usage lists.
# Usage: manual_pages_test.sh PACKAGE_DIR
set -euo pipefail
source "$(dirname "$0")/package_test_lib.sh"
root=$(unpack_packages "$1" serverconf libcardpayment1 cardpayment-tools)
export LD_LIBRARY_PATH=$(dirname "$(find "$root" -name libcardpurse.so.1)")

for program in cardctl serverconf-cli; do
  "$root/usr/bin/$program" --help >"$scratch/usage" || fail "$program --help ended with status $?"
  commands=$(grep -E '^  [a-z]' "$scratch/usage" | awk '{print $1}')
  [ -n "$commands" ] || fail "$program --help lists no commands"
  # Rendered, a command's entry starts its line at the indent of the tags.
  zcat "$root/usr/share/man/man1/$program.1.gz" | groff -man -Tutf8 -P-cbou -rLL=200n >"$scratch/page"
  for command in $commands; do
    grep -Eq "^ {7}$command( |$)" "$scratch/page" || fail "the manual page of $program lacks the command $command"
  done
  echo "$program.1 describes all $(echo "$commands" | wc -l) commands"
done
