#!/usr/bin/env bash
# The Windows setup program as an administrator deploys it, under wine64 in a
# fresh prefix (no menu entries written outside it) inside a private network
# namespace: a silent install into a chosen folder with the PATH entry puts
# the programs, the uninstaller, its key in the list of programs, the
# Start-menu shortcut and the PATH entry in place, and no desktop shortcut;
# the installed serverconf-cli lists devicesim's devices with their names,
# the installed window starts and searches, both programs carry the version
# resource and the application manifest; a silent uninstall takes all of it away again. With a
# certificate, the installed uninstaller and programs carry a signature that
# verifies against it.
# Usage: windows_setup_test.sh PACKAGE_DIR RELEASE_DIR [CERTIFICATE]
set -euo pipefail
if [ -z "${SETUP_TEST_IN_NAMESPACE:-}" ]; then
  exec env SETUP_TEST_IN_NAMESPACE=1 unshare -rn bash -c 'ip link set lo up && exec bash "$0" "$@"' "$0" "$@"
fi
source "$(dirname "$0")/package_test_lib.sh"
setups=("$1"/serverconf-*-win64-setup.exe)
[ ${#setups[@]} -eq 1 ] && [ -f "${setups[0]}" ] || fail "expected one serverconf-*-win64-setup.exe in $1"
setup=${setups[0]}
version=$(basename "$setup" -win64-setup.exe)
version=${version#serverconf-}
release=$2
certificate=${3:-}

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
export WINEPREFIX=$scratch/prefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
export SERVERCONF_BROADCAST=127.255.255.255 SERVERCONF_LOCAL_ADDRESS=127.0.0.1
trap '"$wineserver" -k 2>/dev/null || true; cleanup' EXIT

folder='C:\Tools\serverconf'
installed=$WINEPREFIX/drive_c/Tools/serverconf
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\serverconf'
environment_key='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment'
shortcut_name='设备管理 (serverconf).lnk'
start_menu_shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$shortcut_name"
desktop_shortcut="$WINEPREFIX/drive_c/users/Public/Desktop/$shortcut_name"

# Runs a Windows program; its output without carriage returns.
run() { "$wine" "$@" 2>"$scratch/stderr" | tr -d '\r'; }
registry_value() { run reg query "$1" /v "$2" | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }

started=$(date +%s)
"$wine" wineboot --init >/dev/null 2>&1 || fail "wineboot cannot make a prefix"
"$wineserver" -w
installing=$(date +%s)
"$wine" "$setup" /S /PATH "/D=$folder" || fail "the silent install exited with $?"
"$wineserver" -w
echo "prefix made in $((installing - started)) s, installed in $(($(date +%s) - installing)) s"

for file in serverconf.exe serverconf-cli.exe uninstall.exe; do
  [ -f "$installed/$file" ] || fail "the install put no $file into $folder"
done
[ "$(registry_value "$uninstall_key" DisplayVersion)" = "$version" ] || fail "the uninstall key names no version $version"
[ "$(registry_value "$uninstall_key" Publisher)" = "the cardpayment authors" ] || fail "the uninstall key names no publisher"
[ "$(registry_value "$uninstall_key" UninstallString)" = "\"$folder\\uninstall.exe\"" ] ||
  fail "the uninstall key does not name $folder\\uninstall.exe"
[[ $(registry_value "$uninstall_key" EstimatedSize) =~ ^0x[0-9a-f]*[1-9a-f] ]] || fail "the uninstall key holds no size"
[[ $(registry_value "$uninstall_key" DisplayName) == *"(serverconf)" ]] || fail "the uninstall key names no program"
[ -f "$start_menu_shortcut" ] || fail "no Start-menu shortcut $shortcut_name"
grep -qa 'serverconf\.exe' "$start_menu_shortcut" || fail "the Start-menu shortcut does not lead to serverconf.exe"
[ ! -e "$desktop_shortcut" ] || fail "a silent install put a desktop shortcut there without /DESKTOP"
[[ "$(registry_value "$environment_key" Path);" == *";$folder;"* ]] || fail "/PATH did not put $folder on the PATH"

# The installed programs against devicesim.
"$release/bin/devicesim" --log "$scratch/devices.log" \
  --device 'addr=127.0.0.5,mac=0011223344A5,user=仓库,name=门禁' \
  --device 'addr=127.0.1.9,mac=00990000000A,user=远端,name=大厅' >"$scratch/devicesim.out" &
started_pids+=($!)
for tries in $(seq 100); do
  grep -q ready "$scratch/devicesim.out" && break
  sleep 0.1
done
listing=$(run "$folder\\serverconf-cli.exe" --wait 250 search) || fail "serverconf-cli search: $(cat "$scratch/stderr")"
[ "$listing" = $'1\t00112233445\t仓库/门禁\t127.0.0.5\n0\t00990000000\t远端/大厅\t127.0.1.9' ] ||
  fail "the installed serverconf-cli listed: $listing"

# The window: started offscreen, it searches for the devices at once.
searches=$(grep -c $'\tbroadcast\t' "$scratch/devices.log")
QT_QPA_PLATFORM=offscreen "$wine" "$folder\\serverconf.exe" >"$scratch/window.out" 2>&1 &
window=$!
started_pids+=($window)
for tries in $(seq 300); do
  [ "$(grep -c $'\tbroadcast\t' "$scratch/devices.log")" -gt "$searches" ] && break
  kill -0 "$window" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$window" 2>/dev/null || fail "the installed serverconf.exe ended at its start: $(cat "$scratch/window.out")"
[ "$(grep -c $'\tbroadcast\t' "$scratch/devices.log")" -gt "$searches" ] ||
  fail "the installed serverconf.exe sent no search within 30 s"
"$wineserver" -k
wait "$window" || true

for program in serverconf serverconf-cli; do
  resource=$(run "$release/win-x86_64/bin/file_version.exe" "$folder\\$program.exe") ||
    fail "$program.exe: $(cat "$scratch/stderr")"
  for line in "ProductVersion=$version" "FileVersionNumbers=$version.0" "OriginalFilename=$program.exe" \
              "CompanyName=the cardpayment authors" "ProductName=serverconf"; do
    grep -qxF "$line" <<<"$resource" || fail "the version resource of $program.exe holds no $line: $resource"
  done
done

# The application manifest: the user's rights, themed common controls, the
# DPI awareness Qt sets itself.
for program in serverconf serverconf-cli; do
  for entry in 'level="asInvoker"' 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' \
               '>PerMonitorV2</dpiAwareness>'; do
    grep -qaF "$entry" "$installed/$program.exe" || fail "the manifest of $program.exe holds no $entry"
  done
done

if [ -n "$certificate" ]; then
  for file in uninstall.exe serverconf.exe serverconf-cli.exe; do
    osslsigncode verify -in "$installed/$file" -CAfile "$certificate" >"$scratch/verify" 2>&1 ||
      fail "the installed $file carries no signature of $certificate: $(cat "$scratch/verify")"
  done
fi

uninstalling=$(date +%s)
# The uninstaller copies itself away and runs from there: the Wine server
# ends once it has finished.
"$wine" "$folder\\uninstall.exe" /S || fail "the silent uninstall exited with $?"
"$wineserver" -w
echo "uninstalled in $(($(date +%s) - uninstalling)) s"
[ ! -e "$installed" ] || fail "the uninstall left $(find "$installed")"
! run reg query "$uninstall_key" >/dev/null 2>&1 || fail "the uninstall left its registry key"
[ ! -e "$start_menu_shortcut" ] || fail "the uninstall left the Start-menu shortcut"
[[ "$(registry_value "$environment_key" Path);" != *";$folder;"* ]] || fail "the uninstall left $folder on the PATH"
echo "$(basename "$setup"): installed, ran and uninstalled in $(($(date +%s) - started)) s"
