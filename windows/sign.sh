#!/usr/bin/env bash
# Signs Windows programs and DLLs in place with the code signing certificate
# named by SIGN_CERT and its private key SIGN_KEY (both PEM files; the
# certificate file may hold the chain after the certificate), using
# osslsigncode and SHA-256. Without both variables it signs nothing, so that
# the files stay unsigned by default; with only one set it fails.
#
#   windows/sign.sh FILE...
set -euo pipefail
if [ -z "${SIGN_CERT:-}" ] && [ -z "${SIGN_KEY:-}" ]; then
  exit 0
fi
if [ -z "${SIGN_CERT:-}" ] || [ -z "${SIGN_KEY:-}" ]; then
  echo "sign.sh: SIGN_CERT and SIGN_KEY must be set together (the certificate and its private key, PEM)" >&2
  exit 1
fi
for file in "$@"; do
  signed=$file.signing
  rm -f "$signed"
  # No timestamp: the build machine has no network; a signature without one
  # holds until the certificate expires.
  if ! osslsigncode sign -certs "$SIGN_CERT" -key "$SIGN_KEY" -h sha256 \
       -n "${SIGN_DESCRIPTION:-serverconf}" -in "$file" -out "$signed" > "$signed.log" 2>&1; then
    echo "sign.sh: cannot sign $file:" >&2
    cat "$signed.log" >&2
    rm -f "$signed" "$signed.log"
    exit 1
  fi
  rm -f "$signed.log"
  chmod --reference="$file" "$signed"
  mv -f "$signed" "$file"
done
