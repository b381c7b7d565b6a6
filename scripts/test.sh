#!/usr/bin/env bash
# Builds everything and runs every test twice: in a normal build, and in a build with
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
# Where ccache already holds compilations (a developer's machine), they are reused across clones
# of the tree. On a fresh machine its cache is empty: each compilation would only pay ccache's own
# work on top, so the compiler runs alone (ROTASET_CCACHE=1 fills the cache all the same).
launcher=()
if command -v ccache >/dev/null 2>&1 &&
  { [ "${ROTASET_CCACHE:-}" = 1 ] || [ "$(ccache --print-stats | awk '$1 == "files_in_cache" {print $2}')" != 0 ]; }; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
  # Compilations with a precompiled header are cached too.
  export CCACHE_SLOPPINESS=pch_defines,time_macros
fi

# Line tables only (-g1): enough for a failure's stack, and objects a tenth of the size to link.
# The libraries are compiled in batches of files (ROTASET_UNITY): each tree is built once here.
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
  -DROTASET_UNITY=ON "${launcher[@]}"
cmake --build build/test -j "$jobs"
(cd build/test && ctest --output-on-failure -j "$jobs")

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g1" -DROTASET_SANITIZE=ON \
  -DROTASET_BENCH=OFF -DROTASET_UNITY=ON "${launcher[@]}"
cmake --build build/asan -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build/asan && ctest --output-on-failure -j "$jobs")
