#!/usr/bin/env bash
# Makes the download: OUT/EggPeriod-VERSION-win64.zip with one folder
# EggPeriod-VERSION/ holding EggPeriod.exe, README-ja.txt, LICENSE.txt and the
# browser page as EggPeriod.html (for Windows set to another language), and
# OUT/EggPeriod-VERSION-win64.zip.sha256 beside it (sha256sum's format).
# Arguments: VERSION EXE PAGE SOURCE_DIR OUT.
#
# The same sources give the same bytes: the files carry fixed permissions, a
# fixed order and one fixed time (see pack_zip.sh).
set -euo pipefail
source "$(dirname "$0")/pack_zip.sh"
version=$1
exe=$2
page=$3
source_dir=$4
out=$5
[ -f "$page" ] || {
  echo "make_package.sh: no browser page at $page; build it first: cmake --preset web && cmake --build --preset web" >&2
  exit 1
}

folder=EggPeriod-$version
zip_name=$folder-win64.zip
stage=$out/package
rm -rf "$stage"
mkdir -p "$stage/$folder"

# Notepad on every Windows version reads UTF-8 with a byte-order mark and
# CRLF line ends.
windows_text() {
  printf '\xef\xbb\xbf'
  sed 's/\r$//; s/$/\r/' "$1"
}
cp "$exe" "$stage/$folder/EggPeriod.exe"
cp "$page" "$stage/$folder/EggPeriod.html"
windows_text "$source_dir/docs/README-ja.txt" >"$stage/$folder/README-ja.txt"
windows_text "$source_dir/LICENSE" >"$stage/$folder/LICENSE.txt"
chmod 0755 "$stage/$folder/EggPeriod.exe"
chmod 0644 "$stage/$folder/README-ja.txt" "$stage/$folder/LICENSE.txt" "$stage/$folder/EggPeriod.html"

pack_zip "$source_dir" "$stage" "$out/$zip_name" \
  "$folder/EggPeriod.exe" "$folder/EggPeriod.html" "$folder/README-ja.txt" "$folder/LICENSE.txt"
