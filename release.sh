#!/usr/bin/env bash
# Makes the download for Windows: installs what it needs, builds the program
# and packs it with its manual and licence into a zip, with the zip's SHA-256
# beside it. Prints the checksum line, then the zip's path as the last line.
set -euo pipefail
cd "$(dirname "$0")"
source tools/install-packages.sh

install_release_packages
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target release_zip >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
zip="$PWD/build/windows/EggPeriod-$version-win64.zip"
cat "$zip.sha256"
echo "$zip"
