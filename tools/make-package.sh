#!/usr/bin/env bash
# Makes the download: OUT/EggPeriod-VERSION-win64.zip with one folder
# EggPeriod-VERSION/ holding EggPeriod.exe, README-ja.txt, LICENSE.txt and the
# browser page as EggPeriod.html (for Windows set to another language), and
# OUT/EggPeriod-VERSION-win64.zip.sha256 beside it (sha256sum's format).
# Arguments: VERSION EXE PAGE SOURCE_DIR OUT.
#
# The same sources give the same bytes: the files carry one fixed time
# (SOURCE_DATE_EPOCH if set, otherwise the time of the source tree's last
# commit), fixed permissions and a fixed order, and the archive holds no extra
# attributes and no folder entries.
set -euo pipefail
version=$1
exe=$2
page=$3
source_dir=$4
out=$5
[ -f "$page" ] || {
  echo "make-package.sh: no browser page at $page; build it first: cmake --preset web && cmake --build --preset web" >&2
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

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  # git says why it cannot (no checkout, or one it refuses as another user's).
  SOURCE_DATE_EPOCH=$(git -C "$source_dir" log -1 --format=%ct) || {
    echo "make-package.sh: the packed files take the last commit's time, and git gave none;" \
      "set SOURCE_DATE_EPOCH (seconds since 1970) instead" >&2
    exit 1
  }
fi
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

rm -f "$out/$zip_name" "$out/$zip_name.sha256"
(cd "$stage" && TZ=UTC zip -X -D -q "../$zip_name" \
  "$folder/EggPeriod.exe" "$folder/EggPeriod.html" "$folder/README-ja.txt" "$folder/LICENSE.txt")
(cd "$out" && sha256sum "$zip_name" >"$zip_name.sha256")
