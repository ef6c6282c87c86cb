#!/usr/bin/env bash
# windows/sign.sh on a copy of a Windows program, case by case: without a
# certificate the file stays as it is, half a setting or a key that does not
# belong to the certificate fails and leaves the file alone, and a
# certificate with its key signs it so that the signature verifies against
# that certificate only.
# Usage: sign_test.sh SIGN_SCRIPT CERTIFICATE_MAKER WINDOWS_PROGRAM
set -uo pipefail
sign=$1
make_certificate=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$make_certificate" "$scratch/ours" && "$make_certificate" "$scratch/other" || { echo "FAILED: no certificates"; exit 1; }
cert=$scratch/ours/certificate.pem key=$scratch/ours/key.pem other_key=$scratch/other/key.pem

failures=0
# case: what; SIGN_CERT; SIGN_KEY; expected exit status; signed afterwards (yes/no)
while IFS=';' read -r what sign_cert sign_key status signed; do
  cp "$3" "$scratch/program.exe"
  SIGN_CERT=$sign_cert SIGN_KEY=$sign_key "$sign" "$scratch/program.exe" >"$scratch/out" 2>&1
  got=$?
  if osslsigncode verify -in "$scratch/program.exe" -CAfile "$cert" >/dev/null 2>&1; then got_signed=yes; else got_signed=no; fi
  if [ "$got" != "$status" ] || [ "$got_signed" != "$signed" ]; then
    echo "FAILED: $what: exit $got (expected $status), signed: $got_signed (expected $signed): $(cat "$scratch/out")"
    failures=$((failures + 1))
  elif [ "$signed" = no ] && ! cmp -s "$3" "$scratch/program.exe"; then
    echo "FAILED: $what: the file was changed"
    failures=$((failures + 1))
  fi
done <<END
no certificate: left unsigned;;;0;no
certificate without key: refused;$cert;;1;no
key without certificate: refused;;$key;1;no
key of another certificate: refused;$cert;$other_key;1;no
certificate and its key: signed;$cert;$key;0;yes
END
# A signature verifies against its own certificate only.
cp "$3" "$scratch/program.exe"
SIGN_CERT=$cert SIGN_KEY=$key "$sign" "$scratch/program.exe"
if osslsigncode verify -in "$scratch/program.exe" -CAfile "$scratch/other/certificate.pem" >/dev/null 2>&1; then
  echo "FAILED: a signature verified against another certificate"
  failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] && echo "windows/sign.sh: every case as expected"
exit $((failures > 0))
