# Build for the browser with Debian's emscripten (run with
# NODE_PATH=/usr/share/nodejs, where Debian keeps the acorn it calls).
set(EMSCRIPTEN_ROOT_PATH /usr/share/emscripten)
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
