#!/usr/bin/env bash
# Makes the site's download: OUT/EggPeriod-VERSION-site.zip with one folder
# EggPeriod-VERSION-site/ holding the files to upload to a static https host
# (the page as index.html, its manifest, service worker and icons), and
# OUT/EggPeriod-VERSION-site.zip.sha256 beside it (sha256sum's format).
# Arguments: VERSION SITE_DIR SOURCE_DIR OUT.
set -euo pipefail
source "$(dirname "$0")/pack_zip.sh"
version=$1
site=$2
source_dir=$3
out=$4

folder=EggPeriod-$version-site
stage=$out/site-package
rm -rf "$stage"
mkdir -p "$stage/$folder"
cp "$site"/* "$stage/$folder/"
chmod 0644 "$stage/$folder"/*
files=()
for path in "$stage/$folder"/*; do
  files+=("$folder/$(basename "$path")")
done
pack_zip "$source_dir" "$stage" "$out/$folder.zip" "${files[@]}"
