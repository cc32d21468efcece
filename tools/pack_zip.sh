# Sourced by the packing scripts. The same files give the same bytes: they
# carry one fixed time (SOURCE_DATE_EPOCH if set, otherwise the time of the
# source tree's last commit) and the archive holds no extra attributes and no
# folder entries.

# pack_zip SOURCE_DIR STAGE ZIP FILE...: packs the FILEs (paths inside STAGE),
# in the order given, into ZIP, and writes ZIP.sha256 beside it in
# sha256sum's format.
pack_zip() {
  local source_dir=$1 stage=$2 zip=$3
  shift 3
  if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    # git says why it cannot (no checkout, or one it refuses as another user's).
    SOURCE_DATE_EPOCH=$(git -C "$source_dir" log -1 --format=%ct) || {
      echo "$(basename "$0"): the packed files take the last commit's time, and git gave none;" \
        "set SOURCE_DATE_EPOCH (seconds since 1970) instead" >&2
      exit 1
    }
  fi
  find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
  rm -f "$zip" "$zip.sha256"
  (cd "$stage" && TZ=UTC zip -X -D -q "$zip" "$@")
  (cd "$(dirname "$zip")" && sha256sum "$(basename "$zip")" >"$zip.sha256")
}
