#!/usr/bin/env bash
# The test command. Installs what is missing, builds everything with
# AddressSanitizer and UndefinedBehaviorSanitizer, then runs ctest, then the
# slow steps: the Windows step, the short fuzzing runs and the static
# analysis (scripts/test-fuzz-and-analysis.sh), then the packages and their tests
# (scripts/test-packaging.sh). The fast loop comes first: a failing unit
# test shows up within a minute of the build's end.
#
#   scripts/test.sh [--quick] [-- CTEST_ARGS...]
#
# ctest runs twice: first every test without the labels long and wine, then
# those. Each run goes through all its tests (one run reports every failure)
# and prints a failing test's output the moment it ends. A failed build or
# ctest run stops the command before the next step.
# The Windows step gets Qt for MinGW (scripts/build-qt-mingw.sh: built once
# per machine, 20 to 40 minutes the first time) and builds serverconf for
# Windows in the x86_64 cross build, before the long and Wine tests.
# --quick: build and the first ctest run only (no Qt for MinGW, no long, no
# Wine tests, no fuzzing, no analysis, no packages; a build folder that was
# given a Qt for MinGW keeps it). CTEST_ARGS (after --) go to both ctest
# runs of the suite, for example -R cardpurse; they never change which steps
# run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/test}
quick=0
ctest_args=()
while (($#)); do
  case $1 in
    --quick) quick=1; shift ;;
    --) shift; ctest_args=("$@"); break ;;
    -h|--help) sed -n '2,22p' "$0"; exit 0 ;;
    *) echo "test.sh: unknown argument $1 (ctest arguments go after --)" >&2; exit 2 ;;
  esac
done

run_ctest() {
  (cd "$build" && ctest --output-on-failure -j "$(nproc)" "$@" "${ctest_args[@]}")
}
build_tree() {
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DENABLE_SANITIZERS=ON "$@"
  cmake --build "$build"
}

"$root/scripts/install-deps.sh"
build_tree
run_ctest -LE '^(long|wine)$'
((quick)) && exit 0
# The Windows step: serverconf.exe and serverconf-cli.exe need Qt for MinGW.
qt_mingw=$("$root/scripts/build-qt-mingw.sh" | tail -n1)
build_tree -DQT_MINGW_PREFIX="$qt_mingw"
run_ctest -L '^(long|wine)$'
"$root/scripts/test-fuzz-and-analysis.sh"
# The packages and their own tests (docs/testing.md).
"$root/scripts/test-packaging.sh"
