#!/usr/bin/env bash
# Builds a static Release Qt for 64-bit Windows (MinGW-w64, posix compilers)
# from Debian's source of exactly the installed qt6-base version, taken from
# whichever suite holds it (the release, its updates or its security
# updates), once per machine, and prints the prefix it is installed in (last
# line of standard output). It fails with a message naming the versions the
# suites hold when none holds the installed one any more.
#
# The package registries hold no Qt for MinGW, so the Windows build of
# serverconf needs this one. The cache lives outside the clone, keyed by the
# Qt version and the configure options, so that every clone and every build
# directory shares it:
#   ${QT_MINGW_CACHE:-~/.cache/serverconf-qt-mingw}/<version>-<options hash>/
# A build that did not finish leaves no "complete" stamp and is redone.
# QT_MINGW_JOBS sets the parallel jobs (default: the number of cores).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cache=${QT_MINGW_CACHE:-$HOME/.cache/serverconf-qt-mingw}
jobs=${QT_MINGW_JOBS:-$(nproc)}

package_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null) ||
  { echo "build-qt-mingw: qt6-base-dev is not installed" >&2; exit 1; }
upstream_version=${package_version%%+*}

# Debian's source leaves out the third-party tablet header (tabletevent);
# dynamicgl and schannel do not build with OpenGL and SSL turned off.
options=(
  -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  -DFEATURE_sql=OFF -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF
  -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF -DFEATURE_testlib=OFF -DFEATURE_icu=OFF
  -DFEATURE_ssl=OFF -DFEATURE_openssl=OFF -DFEATURE_schannel=OFF
  -DFEATURE_tabletevent=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF
  -DFEATURE_system_png=OFF
)
toolchain=$root/cmake/toolchain-mingw-x86_64.cmake
key=$( (printf '%s\n' "${options[@]}"; cat "$toolchain" "$root/cmake/mingw-common.cmake") |
      sha256sum | cut -c1-12)
prefix=$cache/$upstream_version-$key

if [ -f "$prefix/complete" ]; then
  echo "$prefix"
  exit 0
fi

mkdir -p "$cache"
# One build per machine at a time; a second caller waits and reuses it.
exec 9>"$cache/.lock"
flock 9
if [ -f "$prefix/complete" ]; then
  echo "$prefix"
  exit 0
fi

started=$(date +%s)
work=$cache/work-$upstream_version-$key
rm -rf "$work" "$prefix"
mkdir -p "$work"

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
# Whether a source suite apt knows holds exactly the installed version.
source_known() { apt-cache showsrc qt6-base 2>/dev/null | grep -qxF "Version: $package_version"; }
if ! source_known; then
  # The installed version may come from the release, its updates or its
  # security updates; each suite keeps only its newest version. A source
  # entry twins each binary entry of the machine's own apt sources (deb822
  # files and one-line lists), so the source comes from the archive and
  # mirror that apt already uses, whichever suites those are.
  echo "build-qt-mingw: adding deb-src entries beside the machine's deb entries" >&2
  shopt -s nullglob
  deb822=(/etc/apt/sources.list.d/*.sources)
  one_line=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list)
  shopt -u nullglob
  for file in "${deb822[@]}"; do
    [ "$(basename "$file")" = debian-src.sources ] && continue
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
         /(^|\n)Types:([^\n]* )?deb( |\n|$)/ && !/(^|\n)Enabled: *no/ {
           sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$file"
  done | "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
  for file in "${one_line[@]}"; do
    if [ -f "$file" ] && [ "$(basename "$file")" != debian-src.list ]; then
      sed -n 's/^deb \(.*\)/deb-src \1/p' "$file"
    fi
  done | "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/debian-src.list >/dev/null
  "${sudo_cmd[@]}" apt-get update -qq
fi
if ! source_known; then
  available=$(apt-cache showsrc qt6-base 2>/dev/null | sed -n 's/^Version: //p' | sort -u | tr '\n' ' ')
  echo "build-qt-mingw: the installed qt6-base-dev $package_version has no source in any Debian suite any more" \
       "(they hold: ${available:-none}, or the archive cannot be reached); upgrade it first (apt-get install --only-upgrade qt6-base-dev)" >&2
  exit 1
fi
(cd "$work" && apt-get source -qq "qt6-base=$package_version") >&2
source_dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)
[ -n "$source_dir" ] || { echo "build-qt-mingw: no source unpacked in $work" >&2; exit 1; }

cmake -S "$source_dir" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  "${options[@]}" >&2
cmake --build "$work/build" --parallel "$jobs" >&2
cmake --install "$work/build" >&2
touch "$prefix/complete"
rm -rf "$work"
elapsed=$(( $(date +%s) - started ))
echo "build-qt-mingw: Qt $upstream_version for MinGW built in $((elapsed / 60)) min $((elapsed % 60)) s with $jobs jobs" >&2
echo "$prefix"
