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
#                                       (scripts/screenshots.sh), and of the
#                                       main window of the Linux build beside
#                                       that of the Windows build under Wine
#                                       (serverconf-linux-windows.png); in
#                                       Chinese and in English (en/), and at
#                                       1.5 and 2 times the size (scale-*/)
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
  targets=(serverconf serverconf-screenshots devicesim)
  settings=()
  if [ "$mode" = screenshots ]; then
    # The Windows build's window too: Qt for MinGW, built once per machine.
    qt_mingw=$("$root/scripts/build-qt-mingw.sh" | tail -n1)
    settings+=(-DQT_MINGW_PREFIX="$qt_mingw")
    targets+=(win-x86_64)
  fi
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DENABLE_SANITIZERS=OFF \
        "${settings[@]}" >/dev/null
  cmake --build "$build" --target "${targets[@]}"
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

# Picture of the main window of a serverconf program started by the
# command given, once it is up after the start-up search; the program is
# ended by its process id.
picture_of() {
  local file=$1
  shift
  "$@" &
  local pid=$!
  "$bin/serverconf-screenshots" screen "$file"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

if [ "$mode" = screenshots ]; then
  mkdir -p "$shots"
  # The pictures do not depend on the caller's locale or settings: Chinese
  # (the C locale) unless asked for in English, no stored choices.
  export LC_ALL=C.UTF-8 XDG_CONFIG_HOME=$work/config
  unset SERVERCONF_LANG LANGUAGE
  "$bin/serverconf-screenshots" tour "$shots"
  "$bin/serverconf-screenshots" --lang en tour "$shots/en"
  # Larger screens: every window drawn at 1.5 and 2 times, in both languages.
  for scale in 1.5 2; do
    QT_SCALE_FACTOR=$scale "$bin/serverconf-screenshots" tour "$shots/scale-$scale"
    QT_SCALE_FACTOR=$scale "$bin/serverconf-screenshots" --lang en tour "$shots/scale-$scale-en"
  done
  picture_of "$shots/serverconf-linux.png" "$bin/serverconf"
  # The Windows build under Wine, in a prefix of its own with its own
  # server; the prefix is made once (the stamp says wineboot finished).
  export WINEPREFIX=$build/wine/screenshots WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
  if [ ! -f "$WINEPREFIX/cardpayment-prefix-complete" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
  fi
  /usr/lib/wine/wineserver -f -p >"$work/wineserver.log" 2>&1 &
  pids+=($!)
  if [ ! -f "$WINEPREFIX/cardpayment-prefix-complete" ]; then
    /usr/lib/wine/wine64 wineboot --init >"$work/wineboot.log" 2>&1
    touch "$WINEPREFIX/cardpayment-prefix-complete"
  fi
  picture_of "$shots/serverconf-windows.png" \
    env QT_QPA_PLATFORM=windows /usr/lib/wine/wine64 "$build/win-x86_64/bin/serverconf.exe"
  # Ends the prefix's Windows processes and its server.
  /usr/lib/wine/wineserver -k || true
  "$bin/serverconf-screenshots" beside "$shots/serverconf-linux.png" "$shots/serverconf-windows.png" \
    "$shots/serverconf-linux-windows.png"
elif [ "$have_display" = 1 ]; then
  "$bin/serverconf"
else
  "$bin/serverconf" &
  pids+=($!)
  # The picture is taken once the window is up, after the start-up search.
  mkdir -p "$shots"
  "$bin/serverconf-screenshots" screen "$shots/serverconf.png"
fi
