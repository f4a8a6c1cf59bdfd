# velkaro and Sitarel: `make run` and `make test` do all set-up on a fresh machine.
NATIVE := build/native
WIN32  := build/win32
JOBS   ?= $(shell nproc)

CONFIGURE_NATIVE = cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Release >/dev/null
CONFIGURE_WIN32  = cmake -S . -B $(WIN32) -DCMAKE_BUILD_TYPE=Release \
                   -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake >/dev/null

.PHONY: all deps native win32 run-parts test run snapshots fuzz bench clean

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

clean:
	rm -rf build
