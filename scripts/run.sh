#!/usr/bin/env bash
# Builds Tapivox (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTAPIVOX_TESTS=OFF >/dev/null
cmake --build build --target tapivox -j"$(nproc)"
exec build/tapivox "$@"
