# velkaro and Sitarel: `make run` and `make test` do all set-up on a fresh machine.
NATIVE := build/native
WIN32  := build/win32
JOBS   ?= $(shell nproc)

.PHONY: all deps native win32 test run snapshots fuzz bench clean

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

run: native win32
	@scripts/run.sh

snapshots: native win32
	@scripts/snapshots.sh

fuzz: deps
	@scripts/fuzz.sh

bench: native
	@for b in $(NATIVE)/*_bench; do [ -x "$$b" ] && "$$b"; done; true

clean:
	rm -rf build
