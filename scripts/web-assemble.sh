#!/bin/sh
# Puts the page together in the web build folder: our files, the native
# build's pictures and starter library, the icons, the list of files the
# service worker keeps, and the worker's version (a digest of those files).
set -e
native=$1
web=$2
mkdir -p "$web/pictures" "$web/icons"
cp web/index.html web/*.js web/style.css web/manifest.webmanifest "$web/"
cp "$native"/pictures/*.png "$native"/pictures/*.msk "$web/pictures/"
cp "$native/Sitarel.ini" "$web/"
"$native/velkaro-pageicons" "$web/icons"
cd "$web"
files=$(ls index.html app.js core.js view.js panels.js velkaro.js velkaro.wasm style.css \
        manifest.webmanifest Sitarel.ini pictures/* icons/*)
{
    printf '['
    sep=''
    for f in $files; do printf '%s"%s"' "$sep" "$f"; sep=','; done
    printf ']\n'
} > files.json
version=$(cat $files | sha256sum | cut -c1-16)
sed "s/@VERSION@/$version/" "$OLDPWD/web/sw.js" > sw.js
