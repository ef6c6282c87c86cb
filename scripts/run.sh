#!/usr/bin/env bash
# Runs serverconf against simulated device servers, no hardware needed.
#
# Installs what is missing, builds (build/run, no sanitizers), then in a
# private network namespace of its own starts devicesim with four devices on
# loopback (three on this computer's network 127.0.0.x, one on 127.0.1.x) and
# serverconf pointed at them. With a display, serverconf opens there and the
# command ends when its window is closed. Without one, serverconf runs under
# a virtual X server; a picture of its window after the start-up search is
# saved, its path printed, and the command ends.
#
#   bash scripts/run.sh                 as above
#   bash scripts/run.sh --screenshots [DIR]
#                                       pictures of every window and dialog
#                                       (scripts/screenshots.sh)
# BUILD_DIR overrides the build directory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/run}
mode=run
shots=$build/screenshots
if [ "${1:-}" = "--screenshots" ]; then
  mode=screenshots
  shots=${2:-$shots}
fi

if [ "${SERVERCONF_RUN_INSIDE:-}" != 1 ]; then
  "$root/scripts/install-deps.sh"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DENABLE_SANITIZERS=OFF >/dev/null
  cmake --build "$build" --target serverconf serverconf-screenshots devicesim
  # Fixed ports and broadcasts stay inside a network namespace of their own.
  exec unshare -rn env SERVERCONF_RUN_INSIDE=1 BUILD_DIR="$build" bash "$0" "$@"
fi

ip link set lo up
bin=$build/bin
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# Waits until `file` holds a line matching `pattern`, at most 10 seconds.
wait_for_line() {
  local file=$1 pattern=$2
  for _ in $(seq 100); do
    grep -q "$pattern" "$file" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "timed out waiting for '$pattern' in $file" >&2
  return 1
}

"$bin/devicesim" \
  --device addr=127.0.0.5,mac=001122334455,user=ops,name=gate-1 \
  --device addr=127.0.0.6,mac=001122334466,user=lab,name=door-2 \
  --device addr=127.0.0.7,mac=0011223344A7,user=仓库,name=门禁 \
  --device addr=127.0.1.9,mac=001122334499,user=far,name=yard \
  --log "$work/devicesim.log" >"$work/devicesim.out" &
pids+=($!)
wait_for_line "$work/devicesim.out" "devicesim ready"

export SERVERCONF_BROADCAST=127.255.255.255
export SERVERCONF_LOCAL_ADDRESS=127.0.0.1

# A display serverconf can use: the caller's, or a virtual one.
if [ "$mode" = run ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  have_display=1
else
  have_display=0
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.err" &
  pids+=($!)
  wait_for_line "$work/display" "[0-9]"
  export DISPLAY=":$(head -n1 "$work/display")"
  export QT_QPA_PLATFORM=xcb
fi

if [ "$mode" = screenshots ]; then
  mkdir -p "$shots"
  "$bin/serverconf-screenshots" tour "$shots"
elif [ "$have_display" = 1 ]; then
  "$bin/serverconf"
else
  "$bin/serverconf" &
  pids+=($!)
  # The picture is taken once the window is up, after the start-up search.
  mkdir -p "$shots"
  "$bin/serverconf-screenshots" screen "$shots/serverconf.png"
fi
