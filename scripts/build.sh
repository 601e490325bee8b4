#!/usr/bin/env bash
# Configures and builds tav, its tests and benchmarks into BUILD_DIR (default:
# build), warnings as errors. Extra arguments go to CMake's configure step.
# BUILD_TARGETS (names separated by blanks) builds only those targets and what
# they need; the configuration is the same, so a later full build reuses
# every object.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
cmake -S . -B "$build_dir" -G Ninja "${launcher[@]}" -DTAV_WERROR=ON "$@" >/dev/null
read -ra targets <<<"${BUILD_TARGETS:-}"
only=()
[ ${#targets[@]} -gt 0 ] && only=(--target "${targets[@]}")
cmake --build "$build_dir" "${only[@]}"
