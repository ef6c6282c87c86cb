#!/usr/bin/env bash
# The programs of the Debian packages, unpacked with dpkg-deb -x and given
# only the unpacked libraries: none lacks a library, serverconf-cli and cardctl
# print their usage, and cardctl reads a card through the unpacked readersim
# with the runtime library package alone (without the development link).
# Usage: unpacked_programs_test.sh PACKAGE_DIR
set -euo pipefail
source "$(dirname "$0")/package_test_lib.sh"
root=$(unpack_packages "$1" serverconf libcardpayment1 cardpayment-tools)
libdir=$(dirname "$(find "$root" -name libcardpurse.so.1)")
export LD_LIBRARY_PATH=$libdir

for program in "$root"/usr/bin/*; do
  libraries=$(ldd "$program")
  ! grep "not found" <<<"$libraries" || fail "$(basename "$program") lacks libraries"
done

for program in serverconf-cli cardctl; do
  "$root/usr/bin/$program" --help >"$scratch/out" || fail "$program --help ended with status $?"
  grep -q "^usage: $program" "$scratch/out" || fail "$program --help printed no usage: $(cat "$scratch/out")"
done

start_readersim "$root/usr/bin/readersim" 9 "$scratch/ports"
LD_DEBUG=libs READERLINK_PORT_DIR=$scratch/ports "$root/usr/bin/cardctl" --port 9 read-block 00 03 \
  >"$scratch/out" 2>"$scratch/loader" || fail "cardctl read-block ended with status $?: $(cat "$scratch/out")"
grep -q "$fresh_trailer" "$scratch/out" || fail "cardctl read-block printed $(cat "$scratch/out")"
grep -q "init: $libdir/libcardpurse.so.1" "$scratch/loader" || fail "cardctl did not load the unpacked libcardpurse.so.1"
echo "unpacked programs run with the unpacked libraries"
