#!/usr/bin/env bash
# Builds the Debian packages (tav, and python3-tav with the Python module) into BUILD_DIR (default: build-package, configured
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
arch=$(dpkg --print-architecture)
deb="$PWD/$build_dir/tav_${version}_${arch}.deb"
pydeb="$PWD/$build_dir/python3-tav_${version}_${arch}.deb"

echo "== $deb"
dpkg-deb --info "$deb"
contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
echo "$contents"
libdir=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for path in ./usr/bin/tav ./usr/bin/tav-cli \
  ./usr/lib/$libdir/tav/tav-gui.so ./usr/lib/$libdir/tav/tav-pictures.so \
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

echo "== $pydeb"
dpkg-deb --info "$pydeb"
pycontents=$(dpkg-deb --contents "$pydeb" | awk '{print $NF}')
echo "$pycontents"
for path in ./usr/lib/python3/dist-packages/tav.pyi; do
  grep -qxF "$path" <<<"$pycontents" || { echo "missing from python3-tav: $path"; exit 1; }
done
grep -qx '\./usr/lib/python3/dist-packages/tav\.cpython-.*\.so' <<<"$pycontents" ||
  { echo "the module is missing from python3-tav"; exit 1; }
if grep -q 'dist-packages' <<<"$contents"; then echo "the module is in tav"; exit 1; fi
pydepends=$(dpkg-deb --field "$pydeb" Depends)
for library in python3-numpy libqt6core6 libpugixml1v5 libzip4; do
  grep -q "$library" <<<"$pydepends" || { echo "python3-tav's Depends lacks $library: $pydepends"; exit 1; }
done

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
for package in tav python3-tav; do
  if dpkg-query -W -f='${Status}' $package 2>/dev/null | grep -q "install ok installed"; then
    echo "a $package package is installed already: not replacing it"
    exit 1
  fi
done
trap '$SUDO dpkg -r python3-tav tav >/dev/null' EXIT
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "$deb" "$pydeb"
/usr/bin/tav-cli --version
/usr/bin/tav-cli --lang en --help >/dev/null
env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/tav --version
/usr/bin/tav-cli -e "open rigaku /usr/share/doc/tav/examples/sample.asc; info"
# The installed modules: tav-cli's pictures, and the window (still running
# when stopped, instead of ending at once without its module).
picture=$(mktemp --suffix=.png)
/usr/bin/tav-cli -e "open rigaku /usr/share/doc/tav/examples/sample.asc; render $picture"
file "$picture" | grep -q "PNG image data" || { echo "tav-cli drew no picture"; exit 1; }
rm -f "$picture"
status=0
env QT_QPA_PLATFORM=offscreen XDG_STATE_HOME="$(mktemp -d)" timeout 5 /usr/bin/tav || status=$?
[ "$status" -eq 124 ] || { echo "tav ended with $status instead of showing its window"; exit 1; }
scripts/validate-desktop-files.sh /usr/share/applications/io.github.tav_authors.tav.desktop \
  /usr/share/metainfo/io.github.tav_authors.tav.metainfo.xml
appstreamcli validate-tree --no-net /
# The README's Python example, from the installed module, outside the source tree.
(cd / && /usr/bin/python3 -c '
import tav
p = tav.open("/usr/share/doc/tav/examples/sample.asc")
peaks = tav.find_peaks(p, p.x[0], p.x[-1], max=3)
result = tav.Fit(p, p.x[0], p.x[-1], peaks=peaks).run()
assert result.report and result.stats["npt"] == len(p), result.stats
print("python3-tav:", tav.__version__, len(result.report), "peaks fitted")
')
echo "package check: passed"
