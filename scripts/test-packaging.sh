#!/usr/bin/env bash
# Makes every package (scripts/package.sh: Release tree in build/release,
# packages in build/package) and tests them with ctest, label "package":
# lintian, the files of each package, the unpacked programs, the desktop
# files, the manual pages, the Windows bundle, the Windows setup under Wine,
# the signatures of the Windows files, and a host project built against an
# install prefix. Arguments go to ctest.
set -euo pipefail
# Command substitutions stop at a failing command too.
shopt -s inherit_errexit
root=$(cd "$(dirname "$0")/.." && pwd)
# Assigned first and exported after: "export X=$(...)" would give export's own
# status and hide a failing command.
RELEASE_DIR=$(realpath -m "${RELEASE_DIR:-$root/build/release}")
PACKAGE_DIR=$(realpath -m "${PACKAGE_DIR:-$root/build/package}")
export RELEASE_DIR PACKAGE_DIR
# The Windows files are signed, with a throwaway certificate unless one is
# given, and the tests verify their signatures.
if [ -z "${SIGN_CERT:-}${SIGN_KEY:-}" ]; then
  "$root/windows/tests/make_test_certificate.sh" "$RELEASE_DIR/test-certificate"
  export SIGN_CERT=$RELEASE_DIR/test-certificate/certificate.pem SIGN_KEY=$RELEASE_DIR/test-certificate/key.pem
fi
"$root/scripts/package.sh"
tests=$RELEASE_DIR/package-tests
cmake -S "$root/packaging/tests" -B "$tests" -G Ninja \
      -DPACKAGE_DIR="$PACKAGE_DIR" -DRELEASE_DIR="$RELEASE_DIR" -DSIGN_CERT="$SIGN_CERT" >/dev/null
jobs=$(nproc)
cd "$tests"
ctest --output-on-failure -j "$jobs" -L package "$@"
