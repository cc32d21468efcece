# Sourced by the run and test commands: installs Debian packages that are
# missing, as root or through sudo, without questions.

# Runs a command as root.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    echo "Installing Debian packages needs root: run this as root, or install sudo." >&2
    echo "It was about to run: $*" >&2
    return 1
  fi
}

# install_packages NAME...: installs those of the named packages not yet installed.
install_packages() {
  local missing=()
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

# The build tools and test libraries of the calculation core and its fuzz test.
install_core_packages() {
  install_packages cmake make g++ googletest libgtest-dev libbenchmark-dev clang
  # The fuzzer runtime ships in a package named after clang's major version.
  local clang_major
  clang_major=$(clang -dumpversion | cut -d. -f1)
  if apt-cache show "libclang-rt-${clang_major}-dev" >/dev/null 2>&1; then
    install_packages "libclang-rt-${clang_major}-dev"
  fi
}

# What building the browser page needs: emscripten, Node (this machine's own,
# or Debian's) to run it and to write the page, what web/package-lock.json
# pins (esbuild, which bundles and minifies the page's script and style, and
# zopfli, which deflates its WebAssembly), Python to draw its icons, and zip
# and git to pack the site.
install_web_packages() {
  install_packages cmake make emscripten python3 zip git
  command -v node >/dev/null || install_packages nodejs
  command -v npm >/dev/null || install_packages npm
  npm ci --prefix web --no-audit --no-fund --silent
}

# What building and packing the Windows program needs: the cross compiler (and
# GoogleTest's sources, which its build configures), zip, and git for the
# packed files' time.
install_windows_build_packages() {
  install_packages cmake make g++-mingw-w64-x86-64 googletest zip git
}

# What making the downloads needs: the page's tools and the Windows program's.
install_release_packages() {
  install_web_packages
  install_windows_build_packages
}

# What testing the page needs: Chromium with its driver, Selenium, Firefox ESR,
# WebKitGTK's driver and browser (MiniBrowser) with a virtual display, Japanese
# glyphs for the screenshots, and what tests/web/package-lock.json pins: the
# accessibility checker and puppeteer-core, which drives Firefox (without
# downloading a browser of its own).
install_web_test_packages() {
  install_web_packages
  install_packages chromium chromium-driver python3-selenium firefox-esr webkit2gtk-driver \
    libwebkit2gtk-4.1-0 xvfb xauth fonts-ipafont-gothic
  PUPPETEER_SKIP_DOWNLOAD=1 npm ci --prefix tests/web --no-audit --no-fund --silent
}

# What building and testing the Windows program needs: its build tools, Wine,
# a virtual display, Japanese fonts and locale, real keyboard and mouse input,
# and Python with a reader of Windows program files.
install_window_packages() {
  install_windows_build_packages
  install_packages wine wine64 xvfb xauth fonts-ipafont-gothic fonts-wine locales imagemagick \
    xdotool xclip python3 python3-pefile
  if ! locale -a | grep -qix 'ja_JP.utf8'; then
    as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
  fi
}
