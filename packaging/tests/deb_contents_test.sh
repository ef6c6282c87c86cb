#!/usr/bin/env bash
# The files and links of one Debian package (folders left out) are exactly
# those of its expected list, where @VERSION@ stands for the package version
# and @MULTIARCH@ for the architecture's library folder (x86_64-linux-gnu).
# Usage: deb_contents_test.sh PACKAGE_DIR PACKAGE EXPECTED_LIST
set -euo pipefail
source "$(dirname "$0")/package_test_lib.sh"
deb=$(package_file "$1" "$2")
version=$(dpkg-deb -f "$deb" Version)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
sed -e "s/@VERSION@/$version/g" -e "s/@MULTIARCH@/$multiarch/g" "$3" | sort >"$scratch/expected"
# dpkg-deb -c: mode, owner, size, date, time, ./path [-> target]
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +\./, ""); print }' | sort >"$scratch/actual"
diff -u "$scratch/expected" "$scratch/actual" || fail "$(basename "$deb") does not hold exactly the files of $3"
echo "$(basename "$deb"): $(wc -l <"$scratch/actual") files as expected"
