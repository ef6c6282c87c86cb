#!/usr/bin/env bash
# The desktop integration in the serverconf package: the menu entry passes
# desktop-file-validate and starts a program of the package, its icon is in
# the hicolor theme at sizes matching their folders, and the AppStream
# metainfo passes appstreamcli validate.
# Usage: desktop_files_test.sh PACKAGE_DIR
set -euo pipefail
source "$(dirname "$0")/package_test_lib.sh"
root=$(unpack_packages "$1" serverconf)
share=$root/usr/share

entries=("$share"/applications/*.desktop)
[ ${#entries[@]} -eq 1 ] && [ -f "${entries[0]}" ] || fail "expected one desktop entry, found: ${entries[*]}"
entry=${entries[0]}
desktop-file-validate "$entry" || fail "desktop-file-validate rejects $(basename "$entry")"
program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[ -x "$root/usr/bin/$program" ] || fail "the entry starts $program, which the package does not hold"

icon=$(sed -n 's/^Icon=//p' "$entry")
icons=("$share"/icons/hicolor/*/apps/"$icon".png)
[ ${#icons[@]} -ge 6 ] || fail "icon $icon is in only ${#icons[@]} sizes"
for picture in "${icons[@]}"; do
  size=$(basename "$(dirname "$(dirname "$picture")")")
  kind=$(file -b "$picture")
  [[ $kind == "PNG image data, ${size/x/ x },"* ]] || fail "$picture is not a PNG of $size: $kind"
done

appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml || fail "appstreamcli rejects the metainfo"
grep -q "<launchable type=\"desktop-id\">$(basename "$entry")</launchable>" "$share"/metainfo/*.metainfo.xml ||
  fail "the metainfo does not name the desktop entry $(basename "$entry")"
echo "desktop entry, ${#icons[@]} icons and metainfo valid"
