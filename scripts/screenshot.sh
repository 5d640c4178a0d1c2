#!/usr/bin/env bash
# Takes the README's screenshot: Tapivox under a private Xvfb, the whole
# screen saved as docs/screenshot.png.
#   scripts/screenshot.sh [output.png] [seconds to wait]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}
wait=${2:-2}
scripts/deps.sh
if ! command -v xwd >/dev/null || ! command -v convert >/dev/null; then
  [ "$(id -u)" -eq 0 ] || { echo "Installez x11-apps et imagemagick" >&2; exit 1; }
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends x11-apps imagemagick >/dev/null
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target tapivox >/dev/null
mkdir -p "$(dirname "$out")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TAPIVOX_BIN="$PWD/build/tapivox" SHOT_OUT="$(realpath -m "$out")" SHOT_WAIT="$wait" SHOT_WORK="$work"
scripts/xvfb.sh bash -c '
  cd "$SHOT_WORK"
  HOME="$SHOT_WORK" "$TAPIVOX_BIN" & pid=$!
  sleep "$SHOT_WAIT"
  xwd -root -silent | convert xwd:- -resize 1024x "$SHOT_OUT"
  kill $pid; wait $pid 2>/dev/null || true'
echo "screenshot: $out"
