#!/usr/bin/env bash
# Configures and builds nimbrel.exe, the test runner and the benchmarks into
# the build folder (printed at the end).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

cmake -S "$NIMBREL_REPO" -B "$NIMBREL_BUILD_DIR" \
  -DCMAKE_TOOLCHAIN_FILE="$NIMBREL_REPO/cmake/mingw-w64-x86_64.cmake" \
  -DGTest_DIR="$NIMBREL_GTEST_DIR/lib/cmake/GTest" >/dev/null
cmake --build "$NIMBREL_BUILD_DIR" -j"$(nproc)"
nimbrel_log "built $NIMBREL_BUILD_DIR/nimbrel.exe"
