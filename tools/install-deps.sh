#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Quillory need.
# Does nothing when everything is present; uses sudo when not run as root.
#
#   tools/install-deps.sh                 what `make run` and `make test` need
#   tools/install-deps.sh package         also the Debian package's checkers
#   tools/install-deps.sh windows         also the MinGW-w64 cross-compiler and wine
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libsqlite3-dev
  xvfb xauth fonts-dejavu-core
  dbus-daemon dbus-bin at-spi2-core python3-pyatspi xdotool openbox imagemagick
  clang libclang-rt-14-dev
)

for group in "$@"; do
  case $group in
    package)
      packages+=(dpkg-dev fakeroot file lintian desktop-file-utils appstream man-db gzip) ;;
    windows)
      packages+=(mingw-w64 g++-mingw-w64-x86-64-posix wine64) ;;
    *)
      echo "install-deps: unknown group '$group' (package, windows)" >&2
      exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if ! command -v apt-get >/dev/null 2>&1; then
  echo "install-deps: these packages are missing and this is not a Debian system: ${missing[*]}" >&2
  echo "install-deps: install the equivalents by hand (CMake 3.25+, Ninja, Qt 6 Widgets, GoogleTest, Google Benchmark, clang with libFuzzer)." >&2
  exit 1
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    sudo="sudo"
  else
    echo "install-deps: need root or sudo to install: ${missing[*]}" >&2
    exit 1
  fi
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
