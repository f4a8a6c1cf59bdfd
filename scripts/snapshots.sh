#!/bin/sh
# Writes a set of Today-screen snapshots with the clock fixed, each from the
# default settings: build/snapshots/*.png.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
export VELKARO_WINEPREFIX="$here/build/wine-snap"
run="$here/scripts/wine-run.sh"
out="$here/build/snapshots"
mkdir -p "$out"
"$run" cmd /c exit >/dev/null 2>&1 || true
dest="$VELKARO_WINEPREFIX/drive_c/Program Files/Velkaro"
mkdir -p "$dest"
cp "$here/build/win32/velkaro.dll" "$here/build/win32/TodayHost.exe" "$dest/"
cp "$here/build/native/pictures/"* "$dest/"

# name, UTC instant, host actions (0 meter, 1 sort, 2 -pos, 3 +pos, 11 +hour, 12 +day)
shot() {
    name=$1
    at=$2
    shift 2
    args="--fresh"
    for a in "$@"; do args="$args --action $a"; done
    VELKARO_NOW=$at "$run" "$dest/TodayHost.exe" --snapshot "Z:$(echo "$out/$name.png" | tr / '\\\\')" $args
}

# The same on the handheld's small screen (240 x 320), with the title font as
# the options store it (pixels; "-" keeps the default).
small() {
    name=$1
    at=$2
    title=$3
    shift 3
    args="--screen 240x320"
    for a in "$@"; do args="$args --action $a"; done
    VELKARO_NOW=$at "$run" "$dest/TodayHost.exe" --fresh --screen 240x320 --snapshot "Z:$(echo "$out/$name.png" | tr / '\\\\')" >/dev/null
    [ "$title" = - ] || "$run" reg add 'HKCU\Software\quorrin\Velkaro' /v TextSize /t REG_DWORD /d "$title" /f >/dev/null 2>&1
    VELKARO_NOW=$at "$run" "$dest/TodayHost.exe" --snapshot "Z:$(echo "$out/$name.png" | tr / '\\\\')" $args
}

shot tokyo-time 2026-12-08T03:00:00Z 0 1
shot tokyo-azimuth 2026-12-08T03:00:00Z 1
shot tokyo-night 2026-12-08T13:00:00Z 0 1
shot sydney-time 2026-12-08T03:00:00Z 3 3 0 1
shot sydney-azimuth 2026-12-08T03:00:00Z 3 3 1
shot singapore-equator 2026-12-08T03:00:00Z 2 2 1
shot tokyo-shifted 2026-12-08T03:00:00Z 0 12 11
shot moon-first-quarter 2026-12-17T09:00:00Z 0
shot moon-full 2026-12-24T12:00:00Z 0
small small-shifted 2026-12-08T03:00:00Z - 0 12 11
small small-large-title 2026-12-08T03:00:00Z 22 0 12 11
wineserver -w
echo "snapshots in $out"
