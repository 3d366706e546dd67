# Thin wrapper over the CMake presets. `make run` builds and starts Quillory;
# `make test` builds everything and runs every test. Both install what is
# missing first.
PRESET ?= release
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test asan bench clean

all: build

deps:
	@./tools/install-deps.sh

configure: deps
	cmake --preset $(PRESET) >/dev/null

build: configure
	cmake --build --preset $(PRESET) -j $(JOBS)

run: build
	./tools/run-quillory.sh build/$(PRESET)/app/quillory

test: build
	ctest --preset $(PRESET)

asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan

bench: build
	./build/$(PRESET)/bench/quillory-bench

clean:
	rm -rf build
