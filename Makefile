# Thin wrapper over the CMake presets. `make run` builds and starts Quillory;
# `make test` builds everything and runs every test. Both install what is
# missing first.
PRESET ?= release
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

FUZZ_RUNS ?= 200000
FUZZ_SECONDS ?= 120

.PHONY: all deps configure build run test asan bench fuzz-build fuzz fuzz-ci clean

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

# The libFuzzer targets (clang, with the sanitizers): `make fuzz` runs each
# for FUZZ_SECONDS, `make fuzz-ci` for FUZZ_RUNS inputs, as CI does.
fuzz-build: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)

fuzz: fuzz-build
	./fuzz/run-fuzzers.sh --seconds $(FUZZ_SECONDS)

fuzz-ci: fuzz-build
	./fuzz/run-fuzzers.sh --runs $(FUZZ_RUNS)

bench: build
	./build/$(PRESET)/bench/quillory-bench

clean:
	rm -rf build
