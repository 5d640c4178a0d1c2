#!/usr/bin/env bash
# Start-up benchmark: median time from launch until the frame is mapped and
# peak resident memory, over several runs under a private Xvfb.
#   bench/startup.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}
scripts/deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTAPIVOX_TESTS=OFF -DTAPIVOX_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target tapivox mapwatch >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
measure() {
  (cd "$work" && HOME="$work" "$ROOT/build-bench/mapwatch" --title '^Tapivox$' -- "$ROOT/build-bench/tapivox")
}
export -f measure
export work ROOT="$PWD"
results=$(scripts/xvfb.sh bash -c '
  measure >/dev/null   # warm-up
  for i in $(seq 1 '"$runs"'); do measure; done' 2>/dev/null)
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
times=$(grep -o 'mapped_ms=[0-9.]*' <<<"$results" | cut -d= -f2)
rss=$(grep -o 'peak_rss_kb=[0-9]*' <<<"$results" | cut -d= -f2)
printf 'start-up to mapped frame: median %s ms (min %s, max %s) over %s runs; peak RSS median %.1f MB\n' \
  "$(median <<<"$times")" "$(sort -n <<<"$times" | head -1)" "$(sort -n <<<"$times" | tail -1)" "$runs" \
  "$(median <<<"$rss" | awk '{ print $1 / 1024 }')"
