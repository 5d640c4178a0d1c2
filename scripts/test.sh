#!/usr/bin/env bash
# Builds Tapivox with its tests and runs the whole suite: once in a Release
# build, once under AddressSanitizer and UndefinedBehaviorSanitizer. The tests
# that need an X server run under a private Xvfb with the French layout.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
export LANG=fr_FR.UTF-8 LC_ALL=
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTAPIVOX_TESTS=ON >/dev/null
cmake --build build -j"$jobs"
scripts/xvfb.sh ctest --test-dir build --output-on-failure -j"$jobs" "$@"
# The X11 tests once more under a window manager.
scripts/xvfb.sh --wm ctest --test-dir build --output-on-failure -L xvfb "$@"
# Start-up, key names, dead keys in a judged line and the Caps Lock light,
# natively under a headless Wayland compositor.
scripts/wayland.sh build/tst_x11_clavier keysThroughTheServer capsLockLight deadKeyIsADrillAnswer
scripts/wayland.sh build/tst_x11_exos
scripts/wayland.sh build/tst_x11_guide sentenceNamesTheNextKey

# The .deb, the desktop entry and the metainfo, as lintian and appstream see them.
scripts/check-package.sh

# Fuzz targets, for a bounded time each.
scripts/fuzz.sh "${TAPIVOX_FUZZ_SECONDS:-30}"

if [ "${TAPIVOX_SKIP_SANITIZERS:-0}" != 1 ]; then
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DTAPIVOX_SANITIZE=ON >/dev/null
  cmake --build build-asan -j"$jobs"
  scripts/xvfb.sh ctest --test-dir build-asan --output-on-failure -j"$jobs" "$@"
fi
