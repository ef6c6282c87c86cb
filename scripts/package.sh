#!/usr/bin/env bash
# Builds a Release tree and makes every package under build/package/: the
# Debian packages (serverconf, libcardpayment1, libcardpayment-dev,
# cardpayment-tools), the Windows bundle of the card libraries and
# serverconf (cardpayment-windows-<version>.zip) and the setup program of
# serverconf for Windows (serverconf-<version>-win64-setup.exe), then prints
# their names. The Windows serverconf needs Qt for MinGW:
# scripts/build-qt-mingw.sh builds it the first time (20 to 40 minutes) and
# reuses it afterwards.
# With SIGN_CERT and SIGN_KEY (PEM files of a code signing certificate and
# its key) the Windows programs and DLLs are signed before they are packed,
# and so are the setup program and its uninstaller (windows/sign.sh).
#
# Usage: scripts/package.sh   (RELEASE_DIR picks the tree, default build/release;
#                              PACKAGE_DIR the output, default build/package)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${RELEASE_DIR:-$root/build/release}")
out=$(realpath -m "${PACKAGE_DIR:-$root/build/package}")
"$root/scripts/install-deps.sh"

# Debian's hardening flags, without debugging information (the packages are
# stripped) and without the path maps, which name the work tree and
# would keep the compiler cache from being shared between work trees.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all reproducible=-fixfilepath,-fixdebugpath"
export DEB_CFLAGS_MAINT_STRIP=-g DEB_CXXFLAGS_MAINT_STRIP=-g
# Each flag set is taken on its own line, so a failing dpkg-buildflags stops
# the script instead of leaving an empty flag in the cmake call.
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cflags=$(dpkg-buildflags --get CFLAGS)
cxxflags=$(dpkg-buildflags --get CXXFLAGS)
ldflags=$(dpkg-buildflags --get LDFLAGS)
qt_mingw=$("$root/scripts/build-qt-mingw.sh" | tail -n1)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DBUILD_TESTING=OFF -DENABLE_SANITIZERS=OFF \
      -DQT_MINGW_PREFIX="$qt_mingw" \
      "-DCMAKE_C_FLAGS=$cppflags $cflags" \
      "-DCMAKE_CXX_FLAGS=$cppflags $cxxflags" \
      "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" \
      "-DCMAKE_SHARED_LINKER_FLAGS=$ldflags"
nice -n 10 cmake --build "$build"

# CPack stages its work beside the packages; only the packages stay.
rm -rf "$out"
(cd "$build" && cpack -B "$out")
rm -rf "$out/_CPack_Packages"
echo "Packages in $out:"
(cd "$out" && ls -1 -- *.deb *.zip *.exe)
