#!/usr/bin/env bash
# Builds the Debian package into BUILD_DIR (default: build-package, configured
# for the prefix /usr), checks its contents, installs it with apt-get (which
# brings any missing dependency), runs the installed programs, validates the
# installed desktop entry and metainfo, then removes the package again.
# Needs root (or sudo) for the install.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh desktop-file-utils appstream dpkg-dev file
build_dir=${BUILD_DIR:-build-package}
# The same flags as the test build, so that ccache has every object already.
BUILD_DIR="$build_dir" scripts/build.sh -DCMAKE_INSTALL_PREFIX=/usr
(cd "$build_dir" && cpack -G DEB)
version=$(sed -n 's/^project(tav VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb="$PWD/$build_dir/tav_${version}_$(dpkg --print-architecture).deb"

echo "== $deb"
dpkg-deb --info "$deb"
contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
echo "$contents"
for path in ./usr/bin/tav ./usr/bin/tav-cli \
  ./usr/share/applications/io.github.tav_authors.tav.desktop \
  ./usr/share/metainfo/io.github.tav_authors.tav.metainfo.xml \
  ./usr/share/icons/hicolor/scalable/apps/tav.svg ./usr/share/mime/packages/tav.xml \
  ./usr/share/man/man1/tav.1.gz ./usr/share/man/man1/tav-cli.1.gz \
  ./usr/share/doc/tav/copyright; do
  grep -qxF "$path" <<<"$contents" || { echo "missing from the package: $path"; exit 1; }
done
depends=$(dpkg-deb --field "$deb" Depends)
for library in libqt6widgets6 libqt6svg6 libpugixml1v5 libzip4; do
  grep -q "$library" <<<"$depends" || { echo "Depends lacks $library: $depends"; exit 1; }
done

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
if dpkg-query -W -f='${Status}' tav 2>/dev/null | grep -q "install ok installed"; then
  echo "a tav package is installed already: not replacing it"
  exit 1
fi
trap '$SUDO dpkg -r tav >/dev/null' EXIT
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "$deb"
/usr/bin/tav-cli --version
/usr/bin/tav-cli --lang en --help >/dev/null
env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/tav --version
/usr/bin/tav-cli -e "open rigaku /usr/share/doc/tav/examples/sample.asc; info"
scripts/validate-desktop-files.sh /usr/share/applications/io.github.tav_authors.tav.desktop \
  /usr/share/metainfo/io.github.tav_authors.tav.metainfo.xml
appstreamcli validate-tree --no-net /
echo "package check: passed"
