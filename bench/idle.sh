#!/usr/bin/env bash
# What Tapivox runs at rest, under a private Xvfb: the CPU time of the whole
# process over 10 s with nobody typing, and every timer and paint event in
# that time by receiver (build-bench/startup_hook --idle), in three scenes:
#   keyboard   the keyboard window, as started
#   exercise   exercise 1 opened from its menu item, no key typed
#   typed      exercise 1 with eight of its keys typed, then nothing
# each with the keyboard guide (and the lead it gives) shown and hidden. A
# first launch, not counted, types exercise 1's keys and quits, so that the
# learner's journal exists and the others read it at start-up as a learner's
# program does. idle_cpu_ms is the process's own CPU clock; idle_ticks_ms
# what /proc charges it in whole clock ticks (the peers' bench reads that).
# TAPIVOX_BENCH_BUILD names another build folder configured with
# -DTAPIVOX_BENCH=ON (default build-bench, configured here).
#   bench/idle.sh [runs of each scene]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-1}
build=${TAPIVOX_BENCH_BUILD:-build-bench}
scripts/deps.sh
[ -n "${TAPIVOX_BENCH_BUILD:-}" ] ||
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAPIVOX_TESTS=OFF -DTAPIVOX_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target startup_hook >/dev/null
load_start=$(cut -d' ' -f1 /proc/loadavg)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
hook="$PWD/$build/startup_hook"

scene() { # guide (on|off) scene
  local home="$work/home-$1"
  mkdir -p "$home/.config/Tapivox" "$home/run"
  chmod 700 "$home/run"
  if [ ! -e "$home/.config/Tapivox/Tapivox.conf" ]; then
    [ "$1" = off ] && printf '[guide]\nvisible=false\n' >"$home/.config/Tapivox/Tapivox.conf"
    # The journal's first session.
    (cd "$home" && HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
      XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/run" "$hook" --idle typed >/dev/null)
  fi
  (cd "$home" && HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/run" "$hook" --idle "$2") |
    sed "1s/^/guide=$1 /"
}
export -f scene
export work hook
scripts/xvfb.sh bash -c '
  for i in $(seq 1 '"$runs"'); do
    for s in keyboard exercise typed; do
      for g in on off; do scene $g $s; done
    done
  done' 2>"$work/messages"
load_end=$(cut -d' ' -f1 /proc/loadavg)
echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) CPU(s), $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'); load average $load_start at the start, $load_end at the end."
grep -v '^QStandardPaths\|^$' "$work/messages" >&2 || true
