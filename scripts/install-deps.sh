#!/bin/sh
# Installs the Debian packages the build, the tests and `make run` need.
# Runs apt-get update only when something is missing, so a second run is quick.
set -e
pkgs="cmake make g++ python3 googletest libgtest-dev libbenchmark-dev libpng-dev \
g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 xvfb xauth tzdata"
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
