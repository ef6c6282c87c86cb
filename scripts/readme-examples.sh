#!/usr/bin/env bash
# Runs the shell examples of the READMEs and of docs/*.md against a build,
# so that a guide cannot keep promising a command that does not work.
#
#   bash scripts/readme-examples.sh BUILD_DIR
#
# Every ```sh block runs on its own with bash, in a private network namespace
# of its own (nothing it sends leaves the machine), in a scratch folder where
# build/test is BUILD_DIR; /tmp/ in a block stands for a scratch folder too.
# A block fails when it does not start, or when it or one of its commands
# exits with a status other than 0 or 1: 2 is a usage error, 127 no such
# program. Status 1, an operation that failed, is allowed: the serverconf-cli
# examples name devices that are not there. A block still running after
# $limit seconds (a simulator that serves until it is stopped) is ended with
# everything it started. Blocks that run scripts/ are left out: they build,
# need a display or run the whole suite.
set -u

limit=20
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: readme-examples.sh BUILD_DIR}" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Writes each ```sh block of document $1 to $scratch/blocks/<n>.sh, headed by
# the place it comes from.
extract_blocks() {
    awk -v readme="$1" -v dir="$scratch/blocks" '
        /^```sh[ \t]*$/ { count++; file = sprintf("%s/%03d.sh", dir, count + offset)
                          print "# " readme ":" NR + 1 > file; inside = 1; next }
        /^```/ && inside { inside = 0; close(file); next }
        inside { print > file }
    ' offset="$(find "$scratch/blocks" -name '*.sh' | wc -l)" "$here/$1"
}

mkdir -p "$scratch/blocks"
# Every README and reference document of the project; outside a git checkout,
# every one outside build folders.
if git -C "$here" rev-parse 2> /dev/null; then
    readmes=$(git -C "$here" ls-files '*README.md' 'docs/*.md')
else
    readmes=$(cd "$here" && find . \( -name README.md -o -path './docs/*.md' \) -not -path '*/build/*' |
        sed 's#^\./##' | sort)
fi
for readme in $readmes; do
    extract_blocks "$readme"
done

# Runs before each block: notes that it started and every command that exits
# with a status other than 0 or 1.
prelude=$(cat << 'END'
: > "$EXAMPLE_DIR/started"
trap 'status=$?
[ $status -gt 1 ] && echo "exit $status: $BASH_COMMAND" >> "$EXAMPLE_DIR/failed"' ERR
END
)

# True when the block in $1 with exit status $2 went wrong (124: ended by timeout).
block_failed() {
    [ ! -e "$1/started" ] || [ -e "$1/failed" ] || { [ "$2" -gt 1 ] && [ "$2" -ne 124 ]; }
}

failures=0
ran=0
for block in "$scratch"/blocks/*.sh; do
    where=$(head -n 1 "$block" | cut -c 3-)
    if grep -q 'scripts/' "$block"; then
        echo "skipped  $where (runs scripts/)"
        continue
    fi
    ran=$((ran + 1))
    work="$scratch/run-$(basename "$block" .sh)"
    mkdir -p "$work/build" "$work/tmp"
    ln -s "$build" "$work/build/test"
    { echo "$prelude"; sed "s#/tmp/#$work/tmp/#g" "$block"; } > "$work/example.sh"
    # timeout leads a process group of its own: everything the block started
    # is in it and is ended by that group's id afterwards. The examples speak
    # Chinese (the C locale) and keep their settings in their own folder.
    (cd "$work" && unset SERVERCONF_LANG LANGUAGE && EXAMPLE_DIR="$work" LC_ALL=C.UTF-8 XDG_CONFIG_HOME="$work/config" \
        SERVERCONF_BROADCAST=127.255.255.255 SERVERCONF_LOCAL_ADDRESS=127.0.0.1 exec timeout -k 5 "$limit" unshare -rn bash -c 'ip link set lo up && exec bash example.sh' \
        < /dev/null > "$work/output" 2>&1) &
    group=$!
    wait "$group"
    status=$?
    kill -TERM -- "-$group" 2> /dev/null
    if block_failed "$work" "$status"; then
        failures=$((failures + 1))
        echo "FAILED   $where (status $status)"
        [ -e "$work/failed" ] && sed 's/^/         /' "$work/failed"
        sed 's/^/  | /' "$work/output"
    else
        echo "ran      $where (status $status$([ "$status" -eq 124 ] && echo ', ended after '"$limit"' s'))"
    fi
done

echo "$ran examples run, $failures failed"
[ "$ran" -gt 0 ] && [ "$failures" -eq 0 ]
