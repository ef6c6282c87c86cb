#!/usr/bin/env bash
# The fuzzing and the static analysis beside the test suite: builds the fuzz
# targets with clang and runs each for a short time from its seed corpus
# (FUZZ_SECONDS, default 20; all cores), then the static analysis on the same
# build's compile commands. Exits non-zero on a crash or a finding.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build/fuzz}
"$root/scripts/install-deps.sh"
status=0
"$root/scripts/fuzz.sh" --build "$build" --seconds "${FUZZ_SECONDS:-20}" --jobs "$(nproc)" || status=1
"$root/scripts/analyze.sh" --build "$build" || status=1
exit "$status"
