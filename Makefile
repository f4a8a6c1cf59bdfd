# velkaro and Sitarel: `make run` and `make test` do all set-up on a fresh machine.
NATIVE := build/native
WIN32  := build/win32
WEB    := build/web
WEBCMAKE := build/web-cmake
# Debian's emscripten finds its acorn only here.
EMENV  := NODE_PATH=/usr/share/nodejs
JOBS   ?= $(shell nproc)

CONFIGURE_NATIVE = cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Release >/dev/null
CONFIGURE_WIN32  = cmake -S . -B $(WIN32) -DCMAKE_BUILD_TYPE=Release \
                   -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake >/dev/null

.PHONY: all deps native win32 run-parts test run snapshots fuzz bench clean web web-deps web-run web-test web-bench

all: native win32

deps:
	@scripts/install-deps.sh

# Everything of a tree: programs, tools, tests, benchmarks.
native: deps
	@$(CONFIGURE_NATIVE)
	@cmake --build $(NATIVE) -j $(JOBS)

win32: deps
	@$(CONFIGURE_WIN32)
	@cmake --build $(WIN32) -j $(JOBS)

# Only what scripts/run.sh installs: the Win32 programs, the pictures and the
# starter library (drawn and written by native generators).
run-parts: deps
	@$(CONFIGURE_NATIVE)
	@cmake --build $(NATIVE) -j $(JOBS) --target run_parts
	@$(CONFIGURE_WIN32)
	@cmake --build $(WIN32) -j $(JOBS) --target run_parts

# Each GoogleTest case is a CTest test. The native ones run side by side; the
# Win32 ones share one Wine prefix (its registry and windows), one at a time.
test: native win32
	@ctest --test-dir $(NATIVE) -j $(JOBS) --output-on-failure
	@ctest --test-dir $(WIN32) --output-on-failure
	@$(MAKE) --no-print-directory web-test

run: run-parts
	@scripts/run.sh

snapshots: run-parts
	@scripts/snapshots.sh

fuzz: deps
	@scripts/fuzz.sh

bench: deps
	@$(CONFIGURE_NATIVE)
	@cmake --build $(NATIVE) -j $(JOBS) --target benchmarks
	@scripts/bench.sh

# The web edition: the same core built with emscripten into a static page,
# with the native build's pictures, starter library and icons.
web-deps:
	@scripts/install-deps.sh --web

web: web-deps
	@$(CONFIGURE_NATIVE)
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
