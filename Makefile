# Thin wrapper over the CMake presets. `make run` builds and starts Quillory;
# `make test` builds everything and runs every test. Both install what is
# missing first.
PRESET ?= release
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

FUZZ_RUNS ?= 200000
FUZZ_SECONDS ?= 120

.PHONY: all deps configure build run test asan bench fuzz-build fuzz fuzz-ci package \
	package-check windows clean

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

# The Debian package, build/$(PRESET)/package/quillory_<version>_<arch>.deb:
# only the three programs are built, then CPack packs what `cmake --install`
# would install (dependencies from dpkg-shlibdeps).
package: configure
	@./tools/install-deps.sh package
	cmake --build --preset $(PRESET) -j $(JOBS) --target quillory quillory-odds quillory-report \
		quillory_install_files
	cd build/$(PRESET) && cpack -G DEB

# The package checked as CI checks it (lintian, validators, install, smoke
# check, removal). Installs it on this machine: root only.
package-check: deps
	./tools/ci/package-check.sh

# The Qt-free core, the two tools and their tests cross-built for Windows
# with MinGW-w64 and run under wine; the Windows-only window code compiled.
windows:
	./tools/ci/windows-check.sh

bench: build
	./build/$(PRESET)/bench/quillory-bench

clean:
	rm -rf build
