#!/usr/bin/env bash
# Builds the Debian package and checks it the way a user's machine meets it:
# lintian and the desktop validators on the package, then a real install with
# dpkg, the smoke checks against /usr/bin/quillory (the installed files and
# the desktop entry's command, then the end-to-end smoke scenario), and a
# removal and purge that must leave none of the package's files behind.
#
# It installs a package on this machine, so it runs only as root, and refuses
# when a quillory package is installed already (it would replace it).
set -euo pipefail
cd "$(dirname "$0")/../.."

preset=${PRESET:-release}
build=build/$preset
app_id=com.morvellesoftware.Quillory
started=$SECONDS

say() { printf 'package-check: %s\n' "$*"; }
fail() { say "FAILED: $*" >&2; exit 1; }

if [ "$(id -u)" -ne 0 ]; then
  fail "needs root to install and remove the package"
fi
if dpkg-query -W -f='${Status}' quillory 2>/dev/null | grep -q 'installed'; then
  fail "a quillory package is installed already; remove it first (dpkg -P quillory)"
fi

tools/install-deps.sh package
rm -rf "$build/package"
make --no-print-directory package PRESET="$preset" JOBS="${JOBS:-2}" >/dev/null
deb=$(ls "$build"/package/quillory_*.deb)
say "built $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends Section

work=$(mktemp -d /tmp/quillory-package.XXXXXX)
smoke_pid=""
cleanup() {
  if [ -n "$smoke_pid" ]; then kill "$smoke_pid" 2>/dev/null || true; fi
  if dpkg-query -W -f='${Status}' quillory 2>/dev/null | grep -q 'installed'; then
    dpkg -P quillory >/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# The package's files, for the checks below and for the report.
dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|' > "$work/contents"
say "contents:"
grep -v '/$' "$work/contents" | sed 's/^/  /'

say "lintian:"
lintian --fail-on error --display-info "$deb" | sed 's/^/  /' || fail "lintian reports errors"

dpkg-deb -x "$deb" "$work/root"
say "desktop-file-validate:"
desktop-file-validate "$work/root/usr/share/applications/$app_id.desktop" ||
  fail "desktop-file-validate"
say "appstreamcli validate:"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/$app_id.metainfo.xml" ||
  fail "appstreamcli validate"

say "installing"
dpkg -i "$deb" >/dev/null
[ -x /usr/bin/quillory ] || fail "/usr/bin/quillory missing after install"

say "smoke check"
tools/ci/smoke-installed.sh "$work"
/usr/bin/python3 tests/e2e/run.py --binary /usr/bin/quillory --only smoke

say "removing"
dpkg -r quillory >/dev/null
# The package has no configuration files, so removing it forgets it; a purge
# is needed only if dpkg still knows it.
if dpkg-query -W quillory >/dev/null 2>&1; then
  dpkg -P quillory >/dev/null
fi
if dpkg-query -W -f='${Status}' quillory 2>/dev/null | grep -q 'installed'; then
  fail "quillory still installed after dpkg -P"
fi
left=0
while read -r path; do
  case $path in
    */) dir=${path%/}
        # Folders the package shares with others (/usr/bin, the icon theme)
        # stay; its own folders must go.
        case $dir in
          */doc/quillory) [ -e "$dir" ] && { say "left behind: $dir"; left=1; } ;;
        esac ;;
    *) if [ -e "$path" ] || [ -L "$path" ]; then say "left behind: $path"; left=1; fi ;;
  esac
done < "$work/contents"
[ "$left" -eq 0 ] || fail "files were left behind"
say "passed in $((SECONDS - started)) s"
