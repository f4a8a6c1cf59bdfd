#!/bin/sh
# The web edition's tests: puppeteer-core from the npm registry (it never
# downloads a browser) driving Debian's Chromium.
set -e
cd "$(dirname "$0")/../tests/web"
if [ ! -d node_modules/puppeteer-core ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
    PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error
fi
[ "$1" = "--deps-only" ] && exit 0
exec node --test-reporter=spec run.mjs
