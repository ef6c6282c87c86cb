# Helpers of the package tests, sourced by each test script.

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# The one file in folder $1 named $2_<version>_<architecture>.deb.
package_file() {
  local found=("$1/$2"_*.deb)
  [ ${#found[@]} -eq 1 ] && [ -f "${found[0]}" ] || fail "expected one package $2_*.deb in $1, found: ${found[*]}"
  echo "${found[0]}"
}

# A scratch folder, removed when the script ends, with anything it started.
scratch=$(mktemp -d)
started_pids=()
cleanup() {
  local pid
  for pid in "${started_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT

# Unpacks packages $2... from folder $1 into the scratch root; prints the root.
unpack_packages() {
  local folder=$1 package
  shift
  mkdir -p "$scratch/root"
  for package in "$@"; do dpkg-deb -x "$(package_file "$folder" "$package")" "$scratch/root"; done
  echo "$scratch/root"
}

# Starts readersim program $1 as the reader at port $2 of folder $3 and waits
# until its link is there.
start_readersim() {
  mkdir -p "$3"
  "$1" --dir "$3" --port "$2" --quiet &
  started_pids+=($!)
  local tries
  for tries in $(seq 50); do
    [ -e "$3/COM$2" ] && return 0
    sleep 0.1
  done
  fail "readersim did not publish $3/COM$2"
}

# The trailer block 03 of a fresh card in readersim: its key, access bits and key B.
fresh_trailer=7C3A19E5B04DFF078069FFFFFFFFFFFF
