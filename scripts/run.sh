#!/bin/sh
# Installs the built programs into the Wine prefix and starts them.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
export VELKARO_WINEPREFIX="${VELKARO_WINEPREFIX:-$here/build/wine-run}"
run="$here/scripts/wine-run.sh"
win="$here/build/win32"
"$run" cmd /c exit >/dev/null 2>&1 || true   # creates the prefix on first use
dest="$VELKARO_WINEPREFIX/drive_c/Program Files/Velkaro"
mkdir -p "$dest"
for f in velkaro.dll TodayHost.exe Sitarel.exe velkaro-places.exe velkaro-almanac.exe; do
    [ -f "$win/$f" ] && cp "$win/$f" "$dest/"
done
[ -d "$here/build/native/pictures" ] && cp "$here/build/native/pictures/"* "$dest/"
echo "installed into $dest"
"$run" "$dest/velkaro-places.exe"
wineserver -w
