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
for f in velkaro.dll TodayHost.exe Sitarel.exe velkaro-places.exe velkaro-post.exe velkaro-almanac.exe; do
    [ -f "$win/$f" ] && cp "$win/$f" "$dest/"
done
[ -d "$here/build/native/pictures" ] && cp "$here/build/native/pictures/"* "$dest/"
# The starter library goes in only where the editor has no file yet: never over a user's places.
starter="$here/build/native/Sitarel.ini"
if [ -f "$starter" ] && [ ! -e "$dest/Sitarel.ini" ]; then
    cp "$starter" "$dest/Sitarel.ini" && echo "installed the starter library Sitarel.ini"
fi
echo "installed into $dest"
winepath_of() { WINEPREFIX="$VELKARO_WINEPREFIX" winepath -w "$1" 2>/dev/null; }
"$run" "$dest/velkaro-places.exe"
if [ -n "$DISPLAY" ]; then
    echo "starting the Today screen (close its window or choose Exit to end)"
    "$run" "$dest/TodayHost.exe" "$@"
else
    shot="$here/build/snapshot.png"
    "$run" "$dest/TodayHost.exe" --snapshot "$(winepath_of "$shot")" "$@"
    echo "no display: the Today screen was written to $shot"
fi
wineserver -w
