# velkaro and Sitarel: `make run` and `make test` do all set-up on a fresh machine.
NATIVE := build/native
WIN32  := build/win32
WEB    := build/web
WEBCMAKE := build/web-cmake
# Debian's emscripten finds its acorn only here.
EMENV  := NODE_PATH=/usr/share/nodejs
JOBS   ?= $(shell nproc)

.PHONY: all deps native win32 test run snapshots fuzz bench clean web web-deps web-run web-test web-bench

all: native win32

deps:
	@scripts/install-deps.sh

native: deps
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

win32: deps
	@cmake -S . -B $(WIN32) -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake >/dev/null
	@cmake --build $(WIN32) -j $(JOBS)

test: native win32
	@ctest --test-dir $(NATIVE) --output-on-failure
	@ctest --test-dir $(WIN32) --output-on-failure
	@$(MAKE) --no-print-directory web-test

run: native win32
	@scripts/run.sh

snapshots: native win32
	@scripts/snapshots.sh

fuzz: deps
	@scripts/fuzz.sh

bench: native
	@for b in $(NATIVE)/*_bench; do [ -x "$$b" ] && "$$b"; done; true

# The web edition: the same core built with emscripten into a static page,
# with the native build's pictures, starter library and icons.
web-deps:
	@scripts/install-deps.sh --web

web: web-deps
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS) --target pictures starter_library velkaro-pageicons
	@$(EMENV) cmake -S . -B $(WEBCMAKE) -DCMAKE_BUILD_TYPE=Release -DVELKARO_WEB_DIR=$(CURDIR)/$(WEB) \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/emscripten.cmake >/dev/null
	@$(EMENV) cmake --build $(WEBCMAKE) -j $(JOBS)
	@scripts/web-assemble.sh $(NATIVE) $(WEB)

WEB_PORT ?= 8080
web-run: web
	@echo "velkaro in a browser: http://localhost:$(WEB_PORT)/ (Ctrl+C stops the server)"
	@cd $(WEB) && python3 -m http.server $(WEB_PORT)

web-bench: web
	@scripts/web-test.sh --deps-only
	@node bench/web_bench.mjs

web-test: web
	@cmake --build $(NATIVE) -j $(JOBS) --target velkaro-pageshot velkaro-almanac
	@scripts/web-test.sh

clean:
	rm -rf build
