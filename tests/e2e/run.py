#!/usr/bin/env python3
"""Runs the end-to-end scenarios against a built or installed Quillory.

    run.py --binary build/release/app/quillory [--only NAME[,NAME...]] [--list]

Each run gets its own virtual screen, D-Bus session, accessibility bus and
home folder, and removes them when it ends. Needs Xvfb, dbus-daemon,
at-spi2-core, xdotool, ImageMagick's import and python3-pyatspi
(tools/install-deps.sh installs them). Exits 0 when every scenario passed.
"""

import argparse
import os
import sys
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from desktop import Desktop  # noqa: E402
from scenarios import SCENARIOS  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--binary", required=False, help="the quillory program to run")
    parser.add_argument("--only", default="", help="comma-separated scenario names")
    parser.add_argument("--list", action="store_true", help="list the scenarios and exit")
    options = parser.parse_args()
    if options.list:
        print("\n".join(SCENARIOS))
        return 0
    if not options.binary:
        parser.error("--binary is required")
    names = [n for n in options.only.split(",") if n] or list(SCENARIOS)
    unknown = [n for n in names if n not in SCENARIOS]
    if unknown:
        parser.error("unknown scenario: " + ", ".join(unknown))
    binary = os.path.abspath(options.binary)

    passed = failed = 0
    desktop = Desktop()
    try:
        for scenario_name in names:
            desktop.new_home()
            started = time.monotonic()
            try:
                SCENARIOS[scenario_name](desktop, binary)
            except Exception:
                failed += 1
                print(f"FAIL {scenario_name} ({time.monotonic() - started:.1f} s)")
                traceback.print_exc(limit=4)
                shot = os.path.join(os.environ.get("QUILLORY_E2E_SHOTS", "/tmp"),
                                    f"quillory-e2e-{scenario_name}.png")
                try:
                    desktop.screenshot(shot)
                    print(f"  screen at the failure: {shot}")
                except Exception:
                    pass
            else:
                passed += 1
                print(f"ok   {scenario_name} ({time.monotonic() - started:.1f} s)")
            desktop.end_programs()
    finally:
        desktop.close()
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
