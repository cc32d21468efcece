#!/usr/bin/env bash
# Runs the calculator under Wine: installs what it needs and builds first.
# On a display ($DISPLAY set) it opens the calculator there. Without one it
# runs it on a virtual display, enters a temperature (the first argument, 20
# unless given), presses Calculate, saves a screenshot of the window and
# prints the picture's path.
set -euo pipefail
cd "$(dirname "$0")"
source tools/install_packages.sh
source tools/wine_prefix.sh

install_window_packages
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target EggPeriod calculator_probe >/dev/null
bin=build/windows/bin
use_wine_prefix "$PWD/build/windows/wineprefix"

if [ -n "${DISPLAY:-}" ]; then
  exec wine "$bin/EggPeriod.exe"
fi
picture="$PWD/build/windows/screenshot.png"
rm -f "$picture"
xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/python3 tools/window_driver/screenshot.py "$bin" "${1:-20}" "$picture" 2>&1 |
  grep -v -e wine32 -e multiarch -e 'dpkg --add-architecture' -e 'apt-get install wine32' >&2 || true
[ -f "$picture" ] || { echo "No screenshot was made." >&2; exit 1; }
echo "$picture"
