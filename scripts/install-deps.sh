#!/bin/sh
# Installs the Debian packages the build, the tests and `make run` need.
# Runs apt-get update only when something is missing, so a second run is quick.
# With --web: only what the web edition and its tests add (emscripten, the
# browser and Node), kept apart so that `make run` never waits for them.
set -e
pkgs="cmake make g++ python3 googletest libgtest-dev libbenchmark-dev libpng-dev \
g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 xvfb xauth tzdata"
if [ "$1" = "--web" ]; then
    pkgs="emscripten chromium"
    # A Node from elsewhere may bring its own npm; Debian's would clash with it.
    command -v node >/dev/null 2>&1 || pkgs="$pkgs nodejs"
    command -v npm >/dev/null 2>&1 || pkgs="$pkgs npm"
fi
[ -n "$VELKARO_EXTRA_PKGS" ] && pkgs="$pkgs $VELKARO_EXTRA_PKGS"
missing=""
for p in $pkgs; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
