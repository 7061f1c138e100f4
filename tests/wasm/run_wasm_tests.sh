#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the runtime and puzzle tests for WebAssembly and runs them under node.
#   tests/wasm/run_wasm_tests.sh [BUILD_DIR]   (default: build-wasm-tests)
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${1:-build-wasm-tests}

for tool in emcmake em++ node cmake ninja; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: apt-get install emscripten nodejs cmake ninja-build libgtest-dev libfmt-dev libfast-float-dev" >&2; exit 1; }
done

# Optimised without debug information, which would keep Emscripten from optimising
# fully (it warns); warnings are errors, as in every developer build.
[ -f "$build_dir/build.ninja" ] || emcmake cmake -S . -B "$build_dir" -G Ninja -DCHISLOVA_WASM_TESTS=ON \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build "$build_dir" -j2
ctest --test-dir "$build_dir" --output-on-failure -j2
