#!/usr/bin/env bash
# Start-up benchmark, under a private Xvfb: medians over several runs of the
# time from launch until the splash and the "Tapivox" frame are mapped, the
# frame's first paint, the first key answered (a key pressed as soon as the
# frame is mapped, until the keyboard window shows its description on
# screen), the peak resident memory and its X back-buffer part. It fails when
# the first key is answered later than 50 ms after launch (the figure to
# keep; the machine must be quiet for it to mean anything).
#   bench/startup.sh [runs] [first key limit ms]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}
limit=${2:-50}
scripts/deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTAPIVOX_TESTS=OFF -DTAPIVOX_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target tapivox mapwatch >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
measure() {
  (cd "$work" && HOME="$work" "$ROOT/build-bench/mapwatch" --frame '^Tapivox$' --answer a \
    --reference "$work/answer.ref" -- "$ROOT/build-bench/tapivox")
}
export -f measure
export work ROOT="$PWD"
results=$(scripts/xvfb.sh bash -c '
  measure >/dev/null   # warm-up, which also records the answered pixels
  for i in $(seq 1 '"$runs"'); do measure; done' 2>/dev/null)
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
field() { grep -o "$1=[0-9.-]*" <<<"$results" | cut -d= -f2; }
printf 'over %s runs, medians: splash %s ms, frame mapped %s ms (min %s, max %s), painted %s ms, first key answered %s ms; peak RSS %.1f MB, of which X back buffer %.1f MB\n' \
  "$runs" "$(field mapped_ms | median)" "$(field frame_ms | median)" "$(field frame_ms | sort -n | head -1)" \
  "$(field frame_ms | sort -n | tail -1)" "$(field painted_ms | median)" "$(field answer_ms | median)" \
  "$(field peak_rss_kb | median | awk '{ print $1 / 1024 }')" "$(field xorg_kb | median | awk '{ print $1 / 1024 }')"
answer=$(field answer_ms | median)
if awk -v a="$answer" -v l="$limit" 'BEGIN { exit !(a < 0 || a > l) }'; then
  echo "first key answered after ${answer} ms: over the ${limit} ms limit" >&2
  exit 1
fi
