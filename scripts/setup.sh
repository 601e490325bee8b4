#!/usr/bin/env bash
# Installs what tav needs to build, test and run on Debian 12, and any extra
# Debian packages named as arguments (CI's tools). apt-get runs only when
# something is missing.
set -euo pipefail
packages=(
  cmake ninja-build g++ ccache   # the build (ccache when present)
  qt6-base-dev                   # Qt Core, Gui, Widgets, PrintSupport, Test
  qt6-svg-dev                    # Qt Svg: the series plot saved as SVG
  qt6-tools-dev                  # CMake's Qt6LinguistTools (lrelease at build time)
  qt6-l10n-tools                 # lrelease and lupdate themselves
  libx11-dev                     # lock-key states (XKB) for the GUI's status bar
  libpugixml-dev                 # XML of XRDML, BRML and RASX files
  libzip-dev                     # zip archives of RASX and BRML files
  gemmi-dev tao-pegtl-dev        # CIF parser (header-only, on PEGTL) for pdCIF powder data
  qt6-translations-l10n          # Qt's own dialogs in Japanese
  fonts-ipafont-gothic           # Japanese text in the plot and the dialogs
  libssl-dev                     # SHA-256 of a session's profile (OpenSSL's EVP)
  nlohmann-json3-dev             # the session file's JSON (read and written)
  libgtest-dev                   # the tests
  poppler-utils                  # the print and export tests read PDFs with pdftoppm
  librsvg2-bin                   # rsvg-convert: the export test reads the SVG with another renderer
  pybind11-dev python3-dev       # the Python module (python/)
  python3-numpy                  # its arrays, and its tests
  "$@"
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
