#!/usr/bin/env bash
# Makes the downloads: installs what it needs, builds the browser page, its
# site and the Windows program, and packs the program with its manual, licence
# and the page into a zip. Writes the page (build/web/EggPeriod-VERSION.html),
# the site (the folder build/web/site/, and packed as
# build/web/EggPeriod-VERSION-site.zip) and the Windows zip
# (build/windows/EggPeriod-VERSION-win64.zip), each download with its SHA-256
# beside it. Beside the Windows zip, EggPeriod-VERSION-tools.txt names the
# versions of the tools that made them. Prints the three checksum lines, then
# the paths of the tools' list, the page, the site's folder, the site's zip
# and, as the last line, the Windows zip.
# The address in the credit line comes from EGGPERIOD_HOME_PAGE, in the
# environment or already in the builds' caches.
set -euo pipefail
cd "$(dirname "$0")"
source tools/install_packages.sh

install_release_packages
home_page=(${EGGPERIOD_HOME_PAGE:+"-DEGGPERIOD_HOME_PAGE=$EGGPERIOD_HOME_PAGE"})
cmake --preset web "${home_page[@]}" >/dev/null
cmake --build --preset web -j "$(nproc)" --target site_zip >/dev/null
cmake --preset windows "${home_page[@]}" >/dev/null
cmake --build --preset windows -j "$(nproc)" --target release_zip >/dev/null
if grep -qx 'EGGPERIOD_HOME_PAGE_IS_PLACEHOLDER:INTERNAL=1' build/windows/CMakeCache.txt; then
  echo "release.sh: warning: the credit line still shows the placeholder address;" \
    "set EGGPERIOD_HOME_PAGE to the program's page" >&2
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
page="$PWD/build/web/EggPeriod-$version.html"
site="$PWD/build/web/site"
site_zip="$PWD/build/web/EggPeriod-$version-site.zip"
zip="$PWD/build/windows/EggPeriod-$version-win64.zip"
tools="$PWD/build/windows/EggPeriod-$version-tools.txt"

# What the bytes depend on besides the sources: the versions of the tools.
{
  echo "EggPeriod $version was built with these tools. The same commit built with the same"
  echo "versions gives the same bytes as EggPeriod-$version-win64.zip.sha256,"
  echo "EggPeriod-$version.html.sha256 and EggPeriod-$version-site.zip.sha256 say."
  echo
  for command in x86_64-w64-mingw32-g++ x86_64-w64-mingw32-ld x86_64-w64-mingw32-windres emcc \
    node cmake; do
    echo "$command: $("$command" --version | head -n 1)"
  done
  echo "zip: $(zip -v | sed -n 2p)"
  echo
  echo "Debian packages:"
  dpkg-query -W -f '  ${Package} ${Version}\n' g++-mingw-w64-x86-64-win32 \
    binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev emscripten zip cmake
  echo
  echo "npm packages that build the page (pinned in web/package-lock.json):"
  node -e 'const lock = require("./web/package-lock.json");
    for (const name of Object.keys(lock.packages[""].devDependencies))
      console.log("  " + name + " " + lock.packages["node_modules/" + name].version);'
} >"$tools"

cat "$page.sha256" "$site_zip.sha256" "$zip.sha256"
echo "$tools"
echo "$page"
echo "$site"
echo "$site_zip"
echo "$zip"
