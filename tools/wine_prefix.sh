# Sourced by the run and test commands: the environment the Windows program
# runs in under Wine, and a Wine prefix inside the build folder.

# use_wine_prefix PREFIX: Japanese code page, quiet Wine, and the prefix,
# created once, with the window's font face mapped to IPA's proportional Gothic
# and Wine's own fonts in place. The prefix counts as ready only once all of
# that has worked.
use_wine_prefix() {
  export WINEPREFIX=$1
  export WINEDEBUG=-all
  export LANG=ja_JP.UTF-8
  export LC_ALL=ja_JP.UTF-8
  local ready="$WINEPREFIX/.eggperiod-ready"
  if [ ! -f "$ready" ]; then
    create_wine_prefix || {
      echo "The Wine prefix $WINEPREFIX could not be made; remove it and try again." >&2
      return 1
    }
  fi
  # Wine does not find its own fonts where Debian puts them: without Marlett
  # in the prefix the caption's buttons show as the letters "0 1 r".
  cp -u /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  touch "$ready"
  # A session killed while it had Wine's own desktop switched on leaves it on,
  # and every program would then open inside it: switch it off first.
  wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
}

create_wine_prefix() {
  echo "Creating the Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  # Wine's complaint that there is no 32-bit Wine is harmless here; a failure
  # of the prefix itself is not.
  wineboot -i >/dev/null 2>&1 || return 1
  # A Unicode registry file (UTF-16LE with a byte-order mark, CRLF line ends):
  # anything else garbles the Japanese face name.
  local registry="$WINEPREFIX/font-replacement.reg"
  {
    printf '\xff\xfe'
    printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"ＭＳ Ｐゴシック"="IPAPGothic"\r\n' |
      iconv -f UTF-8 -t UTF-16LE
  } >"$registry"
  wine regedit "$registry" >/dev/null 2>&1 || return 1
  wineserver -w
}
