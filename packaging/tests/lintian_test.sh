#!/usr/bin/env bash
# lintian on the Debian packages: no error, and no warning but the kept ones
# (lintian-kept-warnings gives the reason of each). One run for all of them,
# as most of lintian's time is its start.
# Usage: lintian_test.sh PACKAGE_DIR KEPT_WARNINGS PACKAGE...
set -euo pipefail
source "$(dirname "$0")/package_test_lib.sh"
folder=$1 kept_file=$2
shift 2
debs=()
for package in "$@"; do debs+=("$(package_file "$folder" "$package")"); done
kept=$(sed -n 's/^\([a-z0-9][a-z0-9-]*\).*/\1/p' "$kept_file" | paste -sd, -)
lintian --fail-on error,warning ${kept:+--suppress-tags "$kept"} --tag-display-limit 0 "${debs[@]}" ||
  fail "lintian reports errors or warnings beyond the kept ones ($kept)"
echo "lintian: $* pass (kept warnings: $kept)"
