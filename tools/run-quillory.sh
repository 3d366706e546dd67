#!/usr/bin/env bash
# Starts the built Quillory program. Without a display on Linux it says how to
# get one instead of failing with Qt's platform-plugin error.
set -euo pipefail
exe="$1"; shift || true
if [ ! -x "$exe" ]; then
  echo "run-quillory: $exe was not built (is Qt 6 installed? see README.md)" >&2
  exit 1
fi
if [ "$(uname -s)" = "Linux" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] \
   && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run-quillory: no display found (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
  echo "run-quillory: on a machine without a screen, run it under a virtual one:" >&2
  echo "    xvfb-run -s '-screen 0 1280x800x24' $exe" >&2
  exit 1
fi
exec "$exe" "$@"
