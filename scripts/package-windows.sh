#!/usr/bin/env bash
# Packages the Windows deliverables of the card libraries: both cross builds
# (32-bit i686 and 64-bit x86_64 MinGW-w64), their DLLs, import libraries,
# the headers and the 64-bit cardctl.exe, as a folder and a zip file:
#
#   <build>/package/cardpayment-windows/
#     include/           cardpurse.h, rfwallet.h
#     i686/bin/          cardpurse.dll, rfwallet.dll (decorated __stdcall exports)
#     i686/lib/          cardpurse.lib, rfwallet.lib (import libraries)
#     x86_64/bin/        cardpurse.dll, rfwallet.dll, cardctl.exe
#     x86_64/lib/        cardpurse.lib, rfwallet.lib
#   <build>/package/cardpayment-windows.zip
#
# Usage: scripts/package-windows.sh [BUILD_DIR]   (default build/windows)
# BUILD_DIR is a Linux build of the tree; it is configured when it is not yet
# (without sanitizers, tests or serverconf), and its two Windows sub-builds
# are brought up to date first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build/windows}")

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DBUILD_TESTING=OFF -DBUILD_SERVERCONF=OFF -DENABLE_SANITIZERS=OFF
fi
cmake --build "$build" --target win-i686 win-x86_64

package=$build/package/cardpayment-windows
rm -rf "$package" "$package.zip"
mkdir -p "$package/include"
cp "$root/cardpurse/include/cardpurse.h" "$root/rfwallet/include/rfwallet.h" "$package/include/"

for flavour in i686 x86_64; do
  from=$build/win-$flavour
  mkdir -p "$package/$flavour/bin" "$package/$flavour/lib"
  for library in cardpurse rfwallet; do
    cp "$from/bin/$library.dll" "$package/$flavour/bin/"
    cp "$from/lib/$library.lib" "$package/$flavour/lib/"
  done
done
# Only the 64-bit cardctl runs in the tests (under Wine); the 32-bit one is
# never run here, so it is not shipped.
cp "$build/win-x86_64/bin/cardctl.exe" "$package/x86_64/bin/"

(cd "$build/package" && cmake -E tar cf cardpayment-windows.zip --format=zip cardpayment-windows)
echo "Windows package: $package"
echo "                 $package.zip"
(cd "$build/package" && find cardpayment-windows -type f | sort)
