#!/usr/bin/env bash
# Reads a real Wine registry: creates a fresh prefix with wineboot in a temporary folder, lists the
# COM objects Wine registers there with `tallyscan6-cli objects` (their versions read from Wine's
# own DLLs), exports one key, and checks that a running wineserver keeps the store from writing.
# Run by hand; not part of CI (wineboot takes a minute or two).
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD

if ! command -v wineboot >/dev/null; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends wine wine64 >/dev/null
fi

[ -f build/build.ninja ] || flock /tmp/build.lock cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
flock /tmp/build.lock cmake --build build -j2 --target tallyscan6-cli >/dev/null
cli=$root/build/src/cli/tallyscan6-cli

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
echo "Creating a Wine prefix in $WINEPREFIX ..."
wineboot -i >/dev/null 2>&1
wineserver -w

"$cli" objects --format csv >"$work/objects.csv"
rows=$(($(wc -l <"$work/objects.csv") - 1))
versioned=$(python3 - "$work/objects.csv" <<'PY'
import csv, sys
rows = list(csv.DictReader(open(sys.argv[1], encoding="utf-8")))
print(sum(1 for r in rows if r["File Version"]))
PY
)
echo "objects: $rows installed objects, $versioned with a file version read from the DLL"
head -5 "$work/objects.csv"
[ "$rows" -gt 20 ] && [ "$versioned" -gt 10 ] || { echo "too few objects or versions"; exit 1; }

"$cli" export-key 'HKEY_CURRENT_USER\Control Panel\Desktop' --out "$work/desktop.reg"
head -4 "$work/desktop.reg"
grep -q '^\[HKEY_CURRENT_USER\\Control Panel\\Desktop\]' "$work/desktop.reg"

# While the prefix's wineserver runs, its socket is where the store looks before it writes (Wine
# would overwrite a change when it exits): server-<device>-<inode> in /tmp/.wine-<uid>, or in the
# folder the prefix's "wineserver" file names (Debian's Wine).
wineserver -p5
sleep 1
dev=$(printf '%x' "$(stat -c %d "$WINEPREFIX")")
ino=$(printf '%x' "$(stat -c %i "$WINEPREFIX")")
base=/tmp/.wine-$(id -u)
[ -f "$WINEPREFIX/wineserver" ] && base=/tmp/$(cat "$WINEPREFIX/wineserver")
socket=$base/server-$dev-$ino/socket
[ -S "$socket" ] || { echo "no wineserver socket at $socket"; exit 1; }
echo "wineserver socket found where the store looks: $socket"
wineserver -k
echo "The Wine prefix reads back: objects with versions, an exported key, the server's socket."
