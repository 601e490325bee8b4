#!/usr/bin/env bash
# Installs the dependencies, builds tav and runs it on the bundled sample:
# the GUI when a display is available, otherwise tav-cli, which renders the
# plot to a PNG. Only the program it runs is built (not the tests and
# benchmarks); scripts/test.sh builds the rest with the same flags, reusing
# every object.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build_dir=${BUILD_DIR:-build}
sample=data/sample.asc
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  BUILD_TARGETS=tav scripts/build.sh
  exec "$build_dir/tav" "$sample"
fi
BUILD_TARGETS=tav-cli scripts/build.sh
mkdir -p out
"$build_dir/tav-cli" -e "open rigaku $sample; state; render out/sample.png"
echo "No display: the plot of $sample is in $PWD/out/sample.png"
