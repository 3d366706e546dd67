#!/usr/bin/env bash
# The Windows pass: cross-builds the Qt-free core, quillory-odds,
# quillory-report and the core tests for 64-bit Windows with MinGW-w64 (the
# `windows` preset) and runs the tests under wine, each test program once.
# The build compiles the program's resource script (icon, version record) with
# windres. Then the Windows-only window code (system menu, console output, the
# program's entry point, settings and export paths) is compiled with the same
# compiler against the Qt 6 headers, syntax only (there is no Qt for Windows
# here), so that none of it can rot unseen.
#
# Everything wine keeps goes to build/windows/wine, never to the user's own
# wine folder.
set -euo pipefail
cd "$(dirname "$0")/../.."

started=$SECONDS
say() { printf 'windows-check: %s\n' "$*"; }
fail() { say "FAILED: $*" >&2; exit 1; }

tools/install-deps.sh windows

build=build/windows
cmake --preset windows >/dev/null
cmake --build --preset windows -j "${JOBS:-2}"
say "built in $((SECONDS - started)) s"

export WINEPREFIX=$PWD/$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  step=$SECONDS
  "$wine" wineboot --init >/dev/null 2>&1 || fail "wineboot could not set up $WINEPREFIX"
  /usr/lib/wine/wineserver -w
  say "wine folder set up in $((SECONDS - step)) s"
fi

step=$SECONDS
ctest --preset windows
say "tests under wine in $((SECONDS - step)) s"

# The Windows-only window code, against the Qt 6 headers. They are Qt's
# Linux headers, so only the syntax is checked; -isystem keeps Qt's own
# warnings out, and any warning of ours is an error.
step=$SECONDS
qt=$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)
flags=(-std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -Werror
       -DNOMINMAX -DWIN32_LEAN_AND_MEAN -DUNICODE -D_UNICODE
       -DQUILLORY_APP_ID='"com.morvellesoftware.Quillory"' -DQUILLORY_VERSION='"0"'
       -I. -isystem "$qt" -isystem "$qt/QtCore" -isystem "$qt/QtGui" -isystem "$qt/QtWidgets")
for source in $(grep -l -E 'Q_OS_WIN|_WIN32' ui/*.cpp app/*.cpp); do
  x86_64-w64-mingw32-g++-posix "${flags[@]}" "$source" || fail "$source"
  say "compiled $source"
done

say "window code checked in $((SECONDS - step)) s"
say "passed in $((SECONDS - started)) s"
