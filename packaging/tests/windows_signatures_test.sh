#!/usr/bin/env bash
# Every program and DLL of the Windows bundle and the setup program carry a
# signature that verifies against the certificate they were signed with, and
# against no other one.
# Usage: windows_signatures_test.sh PACKAGE_DIR CERTIFICATE
set -euo pipefail
source "$(dirname "$0")/package_test_lib.sh"
certificate=$2
mkdir "$scratch/unzipped"
(cd "$scratch/unzipped" && cmake -E tar xf "$1"/cardpayment-windows-*.zip)
shopt -s nullglob
files=("$1"/serverconf-*-win64-setup.exe)
mapfile -t -O ${#files[@]} files < <(find "$scratch/unzipped" -name '*.exe' -o -name '*.dll')
[ ${#files[@]} -gt 1 ] || fail "no Windows files in $1"
for file in "${files[@]}"; do
  osslsigncode verify -in "$file" -CAfile "$certificate" >"$scratch/verify" 2>&1 ||
    fail "$(basename "$file") carries no signature of $certificate: $(cat "$scratch/verify")"
done
"$(dirname "$0")/../../windows/tests/make_test_certificate.sh" "$scratch/other"
! osslsigncode verify -in "${files[0]}" -CAfile "$scratch/other/certificate.pem" >/dev/null 2>&1 ||
  fail "$(basename "${files[0]}") verifies against a certificate it was not signed with"
echo "${#files[@]} Windows files signed with $certificate"
