#!/bin/sh
# Runs a Windows program under Wine in the project's own prefix, headless when
# there is no display. VELKARO_WINEPREFIX picks the prefix (tests use their own).
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${VELKARO_WINEPREFIX:-$here/build/wine-test}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64
mkdir -p "$(dirname "$WINEPREFIX")"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    # Two runs can race to create the same prefix; let one of them do it.
    ( flock 9; [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1; wineserver -w ) 9>"$WINEPREFIX.lock"
fi
if [ -z "$DISPLAY" ]; then
    want=null
else
    want=x11
fi
mark="$WINEPREFIX/.velkaro-driver"
if [ "$(cat "$mark" 2>/dev/null)" != "$want" ]; then
    if [ "$want" = null ]; then
        wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    else
        wine reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1
    fi
    wineserver -w
    echo "$want" > "$mark"
fi
if [ -n "$VELKARO_WINE_TEST" ]; then
    # The tests start many short programs in a row: a server that outlives
    # each of them saves its start every time. Wine's desktop process inherits
    # the output and lingers a second after the program; CTest would wait for
    # it, so the output goes through a file that is followed until the
    # program ends.
    wineserver -p30 </dev/null >/dev/null 2>&1
    log=$(mktemp)
    wine "$@" >"$log" 2>&1 &
    pid=$!
    tail -s 0.05 -n +1 -f --pid=$pid "$log" &
    wait $pid
    rc=$?
    wait
    rm -f "$log"
    exit $rc
fi
exec wine "$@"
