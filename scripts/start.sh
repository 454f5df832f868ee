#!/usr/bin/env bash
# Sets up what is missing, builds Tessaly in Release and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DTESSALY_BUILD_TESTS=OFF -DTESSALY_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build/release"
bin="$root/build/release/bin"
if [ -x "$bin/tessaly" ]; then
    exec "$bin/tessaly"
fi
# Until the window is there: the command-line extractor on the shipped sample files.
exec "$bin/tessaly-extract" "$bin"/Samples/*
