#!/usr/bin/env bash
# Makes the downloads: installs what it needs, builds the browser page and the
# Windows program, and packs the program with its manual, licence and the page
# into a zip. Writes the page (build/web/EggPeriod-VERSION.html) and the zip
# (build/windows/EggPeriod-VERSION-win64.zip), each with its SHA-256 beside it.
# Prints both checksum lines, then the page's path, then the zip's path as the
# last line.
# The address in the credit line comes from EGGPERIOD_HOME_PAGE, in the
# environment or already in the builds' caches.
set -euo pipefail
cd "$(dirname "$0")"
source tools/install-packages.sh

install_release_packages
home_page=(${EGGPERIOD_HOME_PAGE:+"-DEGGPERIOD_HOME_PAGE=$EGGPERIOD_HOME_PAGE"})
cmake --preset web "${home_page[@]}" >/dev/null
cmake --build --preset web -j "$(nproc)" --target web_page >/dev/null
cmake --preset windows "${home_page[@]}" >/dev/null
cmake --build --preset windows -j "$(nproc)" --target release_zip >/dev/null
if grep -qx 'EGGPERIOD_HOME_PAGE_IS_PLACEHOLDER:INTERNAL=1' build/windows/CMakeCache.txt; then
  echo "release.sh: warning: the credit line still shows the placeholder address;" \
    "set EGGPERIOD_HOME_PAGE to the program's page" >&2
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
page="$PWD/build/web/EggPeriod-$version.html"
zip="$PWD/build/windows/EggPeriod-$version-win64.zip"
cat "$page.sha256" "$zip.sha256"
echo "$page"
echo "$zip"
