#!/usr/bin/env bash
# The smoke check of an installed Quillory: the three programs answer, the
# manual pages and completions are where the system looks for them, and the
# desktop entry's command opens the window on a virtual screen. Settings go to
# a throwaway home folder inside the given work folder.
set -euo pipefail
work=${1:?usage: smoke-installed.sh WORK-FOLDER}
app_id=com.morvellesoftware.Quillory

say() { printf 'smoke: %s\n' "$*"; }
fail() { say "FAILED: $*" >&2; exit 1; }

version=$(/usr/bin/quillory --version)
[ "$version" = "quillory (Quillory Application) 1.0.0.1" ] || fail "quillory --version: $version"
say "$version"
/usr/bin/quillory-odds --version | grep -q '^quillory-odds ' || fail "quillory-odds --version"
/usr/bin/quillory-odds AsKd --board QhJh2c --seed 42 --json | grep -q '"trials": 2500' ||
  fail "quillory-odds estimate"
lines=$(/usr/bin/quillory-report --deals 200 --seed 1 | wc -l)
[ "$lines" -eq 381 ] || fail "quillory-report wrote $lines lines"
for page in quillory quillory-odds quillory-report; do
  man -w "$page" >/dev/null || fail "no manual page for $page"
done
for tool in quillory-odds quillory-report; do
  bash -c "source /usr/share/bash-completion/completions/$tool && complete -p $tool" \
    >/dev/null || fail "no bash completion for $tool"
done

# The desktop entry's command, as a desktop would start it.
exec_line=$(sed -n 's/^Exec=//p' "/usr/share/applications/$app_id.desktop")
[ "$exec_line" = "quillory" ] || fail "unexpected Exec line: $exec_line"
home="$work/home"
mkdir -p "$home"
log="$work/window.log"
HOME="$home" XDG_CONFIG_HOME="$home/.config" PATH=/usr/bin:/bin \
  xvfb-run -a -s '-screen 0 1280x800x24' sh -c "
    $exec_line &
    pid=\$!
    if timeout 30 xdotool search --sync --onlyvisible --name '^Quillory' >/dev/null; then
      echo mapped
    else
      echo 'not mapped'
    fi
    kill \$pid; wait \$pid
    true" > "$log" 2>&1 || true
grep -q '^mapped' "$log" || { cat "$log" >&2; fail "the window did not appear"; }
say "the window appeared and was closed"
