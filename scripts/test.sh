#!/usr/bin/env bash
# Installs the dependencies, builds tav and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh -DTAV_WERROR=ON "$@"
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j2
