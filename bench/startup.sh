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
  cd "$work" && HOME="$work" "$OLDPWD/build-bench/mapwatch" --title '^Tapivox$' -- "$OLDPWD/build-bench/tapivox"
}
export -f measure
export work
scripts/xvfb.sh bash -c '
  measure >/dev/null   # warm-up
  for i in $(seq 1 '"$runs"'); do measure; done' | awk '
  { for (i = 1; i <= NF; i++) { split($i, kv, "="); v[kv[1], NR] = kv[2] } n = NR }
  END {
    for (i = 1; i <= n; i++) { t[i] = v["mapped_ms", i]; r[i] = v["peak_rss_kb", i] }
    asort(t); asort(r)
    printf "start-up to mapped frame: median %.1f ms (min %.1f, max %.1f) over %d runs; peak RSS median %.1f MB\n",
      t[int((n + 1) / 2)], t[1], t[n], n, r[int((n + 1) / 2)] / 1024
  }'
