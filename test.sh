#!/usr/bin/env bash
# Every test: installs what it needs, builds, then runs the calculation core's
# tests natively, a short fuzz run of the core under sanitizers, the browser
# page's tests (the WebAssembly core against the native one, and the page in
# headless Chromium), and the Windows program's tests under Wine on a virtual
# display.
set -euo pipefail
cd "$(dirname "$0")"
source tools/install_packages.sh
source tools/wine_prefix.sh

install_core_packages
install_web_test_packages
install_window_packages
jobs=$(nproc)

cmake --preset native
cmake --build --preset native -j "$jobs"
ctest --preset native

cmake --preset fuzz
cmake --build --preset fuzz -j "$jobs"
ctest --preset fuzz

# The web build's tests read the native build's texts; the Windows download
# carries the page.
cmake --preset web
cmake --build --preset web -j "$jobs"
ctest --preset web

cmake --preset windows
cmake --build --preset windows -j "$jobs"
use_wine_prefix "$PWD/build/windows/wineprefix"
xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset windows
