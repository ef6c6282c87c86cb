#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, runs the short fuzzing runs and the static
# analysis (scripts/test-hardening.sh), then every test with ctest.
# Arguments go to ctest (for example -R cardpurse); with arguments the
# hardening step is skipped, so that a chosen set of tests runs quickly.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/test}
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DENABLE_SANITIZERS=ON
cmake --build "$build"
status=0
if [ $# -eq 0 ]; then
  "$root/scripts/test-hardening.sh" || status=1
fi
cd "$build"
ctest --output-on-failure -j "$(nproc)" "$@" || status=1
# Packages and their tests (README, "Tests, fuzzing and analysis"); skipped, like the hardening, for a chosen set.
[ $# -gt 0 ] || "$root/scripts/test-packaging.sh" || status=1
exit "$status"
