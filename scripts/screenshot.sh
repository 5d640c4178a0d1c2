#!/usr/bin/env bash
# Takes the README's screenshot: Tapivox under a private Xvfb, the whole
# screen saved as docs/screenshot.png.
#   scripts/screenshot.sh [output.png] [seconds to wait] [xdotool commands]
# The xdotool commands run before the picture is taken; docs/guide.png is
#   scripts/screenshot.sh docs/guide.png 2 'mousemove 128 44 click 1 sleep 1 key g h space h x sleep 1.2'
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}
wait=${2:-2}
keys=${3:-}
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
export TAPIVOX_BIN="$PWD/build/tapivox" SHOT_OUT="$(realpath -m "$out")" SHOT_WAIT="$wait" SHOT_WORK="$work" SHOT_KEYS="$keys"
scripts/xvfb.sh bash -c '
  cd "$SHOT_WORK"
  HOME="$SHOT_WORK" "$TAPIVOX_BIN" & pid=$!
  sleep "$SHOT_WAIT"
  if [ -n "$SHOT_KEYS" ]; then xdotool $SHOT_KEYS; sleep 1; fi
  xwd -root -silent | convert xwd:- -resize 1024x "$SHOT_OUT"
  kill $pid; wait $pid 2>/dev/null || true'
echo "screenshot: $out"
