#!/usr/bin/env bash
# Installs what tav needs to build, test and run on Debian 12.
set -euo pipefail
packages=(cmake ninja-build g++ libgtest-dev qt6-base-dev qt6-svg-dev qt6-translations-l10n
          xvfb xauth fonts-ipafont-gothic imagemagick poppler-utils ccache)
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
