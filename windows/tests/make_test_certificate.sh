#!/usr/bin/env bash
# Makes a throwaway self-signed code signing certificate for the tests:
# DIR/certificate.pem and DIR/key.pem (unencrypted), valid for two days.
#
#   windows/tests/make_test_certificate.sh DIR
set -euo pipefail
dir=${1:?usage: make_test_certificate.sh DIR}
mkdir -p "$dir"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -sha256 \
  -subj "/CN=cardpayment test signing/O=the cardpayment authors" \
  -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
  -keyout "$dir/key.pem" -out "$dir/certificate.pem" 2>/dev/null
