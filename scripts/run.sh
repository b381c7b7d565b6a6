#!/usr/bin/env bash
# Builds the program and starts it. Its tables live beside the executable, in build/run/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DROTASET_TESTS=OFF -DROTASET_BENCH=OFF
cmake --build build/release
mkdir -p build/run
cp build/release/rotaset build/run/rotaset
cp build/release/Pdxrbld build/run/Pdxrbld
cp dist/help/help.html build/run/help.html
rm -rf build/run/immagini && cp -r dist/help/immagini build/run/immagini
exec build/run/rotaset "$@"
