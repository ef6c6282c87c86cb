#!/usr/bin/env bash
# An integrator's host project against an install prefix of the Release tree
# (cmake --install --prefix): the same host built through the CMake packages
# and through the pkg-config files alone; both read a card through the
# installed readersim, with the installed libraries (as ldd shows).
# Usage: consumer_test.sh RELEASE_DIR CONSUMER_SOURCE
set -euo pipefail
source "$(dirname "$0")/package_test_lib.sh"
prefix=$scratch/prefix
cmake --install "$1" --prefix "$prefix" >/dev/null
libdir=$(dirname "$(find "$prefix" -name libcardpurse.so.1)")

PKG_CONFIG_PATH=$libdir/pkgconfig cmake -S "$2" -B "$scratch/build" -G Ninja \
  -DCMAKE_PREFIX_PATH="$prefix" -DPKG_CONFIG_USE_CMAKE_PREFIX_PATH=OFF >/dev/null ||
  fail "the host project does not configure against $prefix"
cmake --build "$scratch/build" >/dev/null || fail "the host project does not build against $prefix"

start_readersim "$prefix/bin/readersim" 7 "$scratch/ports"
for host in host_by_cmake_package host_by_pkg_config; do
  libraries=$(ldd "$scratch/build/$host")
  for library in libcardpurse.so.1 librfwallet.so.1; do
    grep -q "$library => $libdir/$library" <<<"$libraries" ||
      fail "$host does not load the installed $library: $libraries"
  done
  READERLINK_PORT_DIR=$scratch/ports "$scratch/build/$host" 7 >"$scratch/out" ||
    fail "$host failed: $(cat "$scratch/out")"
  grep -q "block 03: $fresh_trailer" "$scratch/out" || fail "$host read $(cat "$scratch/out")"
  grep -q "rf numbers: " "$scratch/out" || fail "$host read no RF SAM numbers"
done
echo "hosts built by CMake package and by pkg-config run with the installed libraries"
