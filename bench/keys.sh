#!/usr/bin/env bash
# Per-keystroke cost of the exercise window (offscreen, with and without the
# repaint of what changed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTAPIVOX_TESTS=OFF -DTAPIVOX_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target bench_exos >/dev/null
QT_QPA_PLATFORM=offscreen build-bench/bench_exos "$@"
