#!/usr/bin/env bash
# Starts the built Quillory program:
#   run-quillory.sh <quillory> [program options]
#   run-quillory.sh <quillory> --screenshot <file.png> [program options]
# Without a display on Linux it says how to get one instead of failing with
# Qt's platform-plugin error. --screenshot opens the window (or, with
# --drill or --call-advisor after the file name, that window) on a virtual
# screen (Xvfb), saves a picture of it and closes it again.
set -euo pipefail
exe="$1"; shift || true
if [ ! -x "$exe" ]; then
  echo "run-quillory: $exe was not built (is Qt 6 installed? see README.md)" >&2
  exit 1
fi

if [ "${1:-}" = "--screenshot" ]; then
  shot="${2:?run-quillory: --screenshot needs a file name}"
  shift 2
  for tool in xvfb-run import; do
    if ! command -v "$tool" >/dev/null 2>&1; then
      echo "run-quillory: --screenshot needs $tool (Debian packages xvfb and imagemagick)" >&2
      exit 1
    fi
  done
  # The settings and the drill's record of a screenshot run stay out of the
  # user's own.
  scratch="$(mktemp -d)"
  trap 'rm -rf "$scratch"' EXIT
  XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" \
  xvfb-run -a -s '-screen 0 1280x800x24' sh -c '
    exe="$1"; shot="$2"; shift 2
    "$exe" "$@" & pid=$!
    sleep 2
    import -window root -trim +repage "$shot"
    kill "$pid"' sh "$exe" "$shot" "$@"
  echo "run-quillory: saved $shot"
  exit 0
fi

if [ "$(uname -s)" = "Linux" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] \
   && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run-quillory: no display found (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
  echo "run-quillory: on a machine without a screen, run it under a virtual one:" >&2
  echo "    xvfb-run -s '-screen 0 1280x800x24' $exe" >&2
  echo "run-quillory: or save a picture of the window:" >&2
  echo "    $0 $exe --screenshot quillory.png" >&2
  exit 1
fi
exec "$exe" "$@"
