#!/usr/bin/env bash
# Every test: installs what it needs, builds, then runs the calculation core's
# tests natively and a short fuzz run of the core under sanitizers.
set -euo pipefail
cd "$(dirname "$0")"
source tools/install-packages.sh

install_core_packages
jobs=$(nproc)

cmake --preset native
cmake --build --preset native -j "$jobs"
ctest --preset native

cmake --preset fuzz
cmake --build --preset fuzz -j "$jobs"
ctest --preset fuzz
