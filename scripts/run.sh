#!/usr/bin/env bash
# Installs the dependencies, builds tav and runs it on the bundled sample:
# the GUI when a display is available, otherwise tav-cli, which renders the
# plot to a PNG.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
build_dir=${BUILD_DIR:-build}
sample=data/sample.asc
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$build_dir/tav" "$sample"
fi
mkdir -p out
"$build_dir/tav-cli" -e "open rigaku $sample; state; render out/sample.png"
echo "No display: the plot of $sample is in $PWD/out/sample.png"
