#!/usr/bin/env bash
# Makes the download for Windows: installs what it needs, builds the program
# and packs it with its manual and licence into a zip, with the zip's SHA-256
# beside it. Prints the checksum line, then the zip's path as the last line.
# The address in the window's credit line comes from EGGPERIOD_HOME_PAGE, in
# the environment or already in the build's cache.
set -euo pipefail
cd "$(dirname "$0")"
source tools/install-packages.sh

install_release_packages
cmake --preset windows ${EGGPERIOD_HOME_PAGE:+"-DEGGPERIOD_HOME_PAGE=$EGGPERIOD_HOME_PAGE"} >/dev/null
if grep -qx 'EGGPERIOD_HOME_PAGE_IS_PLACEHOLDER:INTERNAL=1' build/windows/CMakeCache.txt; then
  echo "release.sh: warning: the credit line still shows the placeholder address;" \
    "set EGGPERIOD_HOME_PAGE to the program's page" >&2
fi
cmake --build --preset windows -j "$(nproc)" --target release_zip >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
zip="$PWD/build/windows/EggPeriod-$version-win64.zip"
cat "$zip.sha256"
echo "$zip"
