#!/usr/bin/env bash
# Static analysis of the project's own code with clang-tidy and cppcheck,
# through the compile commands of a clang build (configured here when
# missing; nothing needs to be built). Prints every finding and exits
# non-zero when there is any, or when either tool could not analyse a file.
#
#   scripts/analyze.sh [--build DIR] [--jobs N] [FILE...]
#
# Without FILE, the code that ships is analysed: the card libraries with
# their serial link, and serverconf. Tests, benchmarks, fuzz targets, the
# simulators and the command-line host are left out: they are test peers
# and harnesses, run under AddressSanitizer and UndefinedBehaviorSanitizer
# on every test run, and the analysis time goes to the shipped code.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/analyze
jobs=$(nproc)
files=()
while (($#)); do
  case $1 in
    --build) build=$2; shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    -h|--help) sed -n '2,14p' "$0"; exit 0 ;;
    -*) echo "analyze.sh: unknown option $1" >&2; exit 2 ;;
    *) files+=("$(realpath "$1")"); shift ;;
  esac
done

# clang-tidy checks that find faults rather than style:
#   bugprone-*       misuse of the language and library that compiles cleanly
#   cert-err34-c     atoi/sscanf-style conversions that cannot report an error
#   cert-str34-c     sign extension of a char used as an integer
#   cert-flp30-c     floating-point loop counters
#   cert-dcl58-cpp   additions to namespace std
#   cert-oop57-cpp   memset/memcpy on objects that are not trivially copyable
#   cert-err52-cpp   setjmp/longjmp over C++ objects
#   cert-env33-c     system() and popen() with a command text
#   misc-redundant-expression  the same operand on both sides (x == x, a || a)
# Left out, each for a reason:
#   bugprone-easily-swappable-parameters  flags every two adjacent parameters
#                    of one type; a question of interface style
#   bugprone-reserved-identifier  its findings are all in library headers
#   bugprone-narrowing-conversions  fires on every hand-over between Qt 6's
#                    qsizetype sizes and its setters that take int; the sizes
#                    here are bounded by the protocol (255-byte datagrams,
#                    32-character blocks, 79-byte values)
fault_checks=$(tr -d ' \n' <<'LIST'
-*,
bugprone-*,
-bugprone-easily-swappable-parameters,
-bugprone-reserved-identifier,
-bugprone-narrowing-conversions,
cert-err34-c,cert-str34-c,cert-flp30-c,cert-dcl58-cpp,cert-oop57-cpp,cert-err52-cpp,cert-env33-c,
misc-redundant-expression
LIST
)
# The path-sensitive analyzer (null dereference, use after free or move,
# leaks, bad malloc/free pairing) runs on the code without Qt: its leak
# checker does not know Qt's parent-child ownership and reports every object
# handed to a parent, or deleting itself, as leaked.
analyzer_checks='clang-analyzer-core.*,clang-analyzer-cplusplus.*,clang-analyzer-unix.*'
qt_code="^$root/serverconf/"

# Findings looked at and accepted carry NOLINT(check) (clang-tidy) or
# cppcheck-suppress (cppcheck) at their line, with the reason beside it.

components='common|readerlink|cardpurse|rfwallet|serverconf'

if [[ ! -f $build/compile_commands.json ]]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
fi

if ((${#files[@]} == 0)); then
  mapfile -t files < <(grep -oE '"file": "[^"]+"' "$build/compile_commands.json" | cut -d'"' -f4 |
    grep -E "^$root/($components)/" | grep -vE "^$root/[^/]+/(.*/)?(tests|testing)/" | sort -u)
fi

for tool in clang-tidy cppcheck; do
  command -v "$tool" >/dev/null || { echo "analyze.sh: $tool is not installed" >&2; exit 2; }
done

findings=$(mktemp -d)
trap 'rm -rf "$findings"' EXIT

# clang-tidy exits non-zero when it could not analyse a file (a compile
# error, a crash); its findings alone leave the status at 0.
tidy_one() {  # build root fault_checks analyzer_checks qt_code file findings
  local checks=$3 out
  [[ $6 =~ $5 ]] || checks=$3,$4
  out=$7/$(tr / _ <<<"$6")
  clang-tidy -p "$1" --quiet --checks="$checks" --header-filter="^$2/" "$6" >"$out.tidy" 2>"$out.err" ||
    echo "$6" >"$out.failed"
}
export -f tidy_one

echo "clang-tidy: ${#files[@]} files" >&2
printf '%s\0' "${files[@]}" | xargs -0 -P "$jobs" -I{} bash -c 'tidy_one "$@"' _ \
  "$build" "$root" "$fault_checks" "$analyzer_checks" "$qt_code" {} "$findings"
tool_failures=0
for failed in "$findings"/*.failed; do
  [[ -e $failed ]] || continue
  echo "analyze.sh: clang-tidy failed on $(cat "$failed"):" >&2
  cat "${failed%.failed}.err" "${failed%.failed}.tidy" >&2
  tool_failures=1
done
# Only findings located in the project's files count: a path that ends in a
# library header is that library's own business (a Qt timer deleting itself).
tidy_findings=$(cat "$findings"/*.tidy 2>/dev/null | grep -E "^$root/($components|tools|simulators|fuzz|hostile_peers|bench)/.*: (warning|error): " | sort -u || true)

echo "cppcheck: ${#files[@]} files" >&2
# Only warnings and portability problems: style and performance notes are
# not faults. Library headers are not analysed (missingIncludeSystem).
mapfile -t include_paths < <(grep -oE -- "-I$root/[^ \"]+" "$build/compile_commands.json" |
  grep -v -- "-I$root/build" | sort -u)
# Findings go to standard error, cppcheck's own failures to its exit status.
if ! cppcheck --quiet --std=c++20 --library=qt --enable=warning,portability \
  --inline-suppr --suppress=missingIncludeSystem \
  --template='{file}:{line}:{column}: {severity}: {message} [{id}]' \
  -j "$jobs" "${include_paths[@]}" "${files[@]}" 2>"$findings/cppcheck.out"; then
  echo "analyze.sh: cppcheck failed:" >&2
  cat "$findings/cppcheck.out" >&2
  tool_failures=1
fi
cppcheck_findings=$(sort -u "$findings/cppcheck.out")

all_findings=$(printf '%s\n%s\n' "$tidy_findings" "$cppcheck_findings" | grep . || true)
count=$(grep -c . <<<"$all_findings" || true)
[[ -n $all_findings ]] && echo "$all_findings"
echo "analysis: $count findings (clang-tidy and cppcheck, ${#files[@]} files)" >&2
((tool_failures == 0 && count == 0))
