#!/usr/bin/env bash
# serverconf's English translation, serverconf/language/serverconf_en.ts.
#
#   scripts/translations.sh            takes new and changed texts of the
#                                      code into the file (then translate
#                                      them, e.g. with linguist) and drops
#                                      the texts the code no longer has
#   scripts/translations.sh --check    fails when a text of the code has no
#                                      finished translation, or the file
#                                      holds a text the code no longer has
#
# LUPDATE names the lupdate program (the build passes the one it found).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
ts=$root/serverconf/language/serverconf_en.ts
lupdate=${LUPDATE:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}
# Every folder of serverconf with code; the tests say nothing to the user.
sources=()
for folder in "$root"/serverconf/*/; do
  [[ $(basename "$folder") == tests ]] || sources+=("$folder")
done

run_lupdate() {
  "$lupdate" -silent -locations none -extensions cpp,h -source-language zh_CN -target-language en_US -I "$root/serverconf" "$@"
}

if [[ ${1:-} != --check ]]; then
  run_lupdate -no-obsolete "${sources[@]}" -ts "$ts"
  exit 0
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$ts" "$scratch/serverconf_en.ts"
run_lupdate "${sources[@]}" -ts "$scratch/serverconf_en.ts"
status=0
if grep -q 'type="unfinished"' "$scratch/serverconf_en.ts"; then
  echo "texts without a finished English translation (scripts/translations.sh, then translate them):" >&2
  grep -B2 'type="unfinished"' "$scratch/serverconf_en.ts" | grep '<source>' >&2
  status=1
fi
if grep -qE 'type="(vanished|obsolete)"' "$scratch/serverconf_en.ts"; then
  echo "translations of texts the code no longer has (scripts/translations.sh drops them):" >&2
  grep -B2 -E 'type="(vanished|obsolete)"' "$scratch/serverconf_en.ts" | grep '<source>' >&2
  status=1
fi
count=$(grep -c '<source>' "$scratch/serverconf_en.ts")
if [[ $status == 0 ]]; then
  echo "$count texts, each with its English translation"
else
  echo "$count texts in all" >&2
fi
exit $status
