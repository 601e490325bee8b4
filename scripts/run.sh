#!/usr/bin/env bash
# Installs the dependencies, builds tav and runs it on the bundled sample.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
build_dir=${BUILD_DIR:-build}
sample=data/sample.asc
"$build_dir/tav-cli" -e "open rigaku $sample; state"
