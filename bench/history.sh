#!/usr/bin/env bash
# A long history against an empty one, under a private Xvfb: bench_history
# writes a journal of [sessions] sessions and [learners] learners into one
# temporary HOME, and one with a learner and no session into another; the
# program (build-bench/startup_hook --history) then starts in each in turn,
# [runs] times, and gives the keyboard window's first paint after main, the
# question of who learns after that (several learners), the start offer's
# first paint after the answer (or the first paint), Progression's window and the
# personal review's first line after their menu items, and the peak
# resident memory. Medians, and the long history's difference.
# TAPIVOX_BENCH_BUILD names another build folder configured with
# -DTAPIVOX_BENCH=ON (default build-bench, configured here).
#   bench/history.sh [runs] [sessions] [learners]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
sessions=${2:-100000}
learners=${3:-20}
build=${TAPIVOX_BENCH_BUILD:-build-bench}
scripts/deps.sh
[ -n "${TAPIVOX_BENCH_BUILD:-}" ] ||
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAPIVOX_TESTS=OFF -DTAPIVOX_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target startup_hook bench_history >/dev/null
load_start=$(cut -d' ' -f1 /proc/loadavg)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export work hook="$PWD/$build/startup_hook"
for h in empty long; do
  mkdir -p "$work/$h/.local/share/Tapivox" "$work/$h/.config" "$work/$h/run"
  chmod 700 "$work/$h/run"
done
echo "empty: $("$build/bench_history" "$work/empty/.local/share/Tapivox/progression.sqlite" 0 1)"
echo "long: $("$build/bench_history" "$work/long/.local/share/Tapivox/progression.sqlite" "$sessions" "$learners")"
launch() { # home
  local home="$work/$1"
  (cd "$home" && HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/run" "$hook" --history) | sed "s/^/$1 /"
}
export -f launch
results=$(scripts/xvfb.sh bash -c '
  launch empty >/dev/null; launch long >/dev/null # warm-up
  for i in $(seq 1 '"$runs"'); do launch empty; launch long; done' 2>"$work/messages")
load_end=$(cut -d' ' -f1 /proc/loadavg)
grep -v '^QStandardPaths\|^$' "$work/messages" >&2 || true
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR ? v[int((NR + 1) / 2)] : "n/a") }'; }
field() { grep "^$1 " <<<"$results" | grep -o "$2=[0-9.-]*" | cut -d= -f2 | median; }
echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) CPU(s), $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'); load average $load_start at the start, $load_end at the end; medians of $runs launches each, alternated."
echo
echo "| journal | first paint ms | who learns ms | start offer ms | Progression ms | review's first line ms | peak RSS MB |"
echo "|---|---:|---:|---:|---:|---:|---:|"
for h in empty long; do
  printf '| %s | %s | %s | %s | %s | %s | %.1f |\n' "$h" "$(field $h painted_ms)" "$(field $h asked_ms)" "$(field $h offer_ms)" \
    "$(field $h progression_ms)" "$(field $h review_ms)" "$(field $h peak_rss_kb | awk '{ print $1 / 1024 }')"
done
