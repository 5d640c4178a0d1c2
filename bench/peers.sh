#!/usr/bin/env bash
# Tapivox against the typing tutors a French learner would otherwise pick
# (ktouch, klavaro, tipp10), measured in the same run, alternating, each under
# its own Xvfb display with a fresh HOME:
#   start-up   launch until the first top-level window is mapped (median of 5
#              after a warm-up; the first launch, which may build a database
#              or show a welcome dialog, is reported apart)
#   memory     peak resident memory one second after start-up
#   idle       CPU time used in 10 s with nobody typing
#   typing     CPU time per 100 keys while 300 characters are typed (Tapivox:
#              into exercise 1; the peers: into their first screen, see README)
#   bench/peers.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
scripts/deps.sh
if [ "$(id -u)" -eq 0 ]; then
  missing=()
  for p in ktouch klavaro tipp10 libqt6sql6-sqlite; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTAPIVOX_TESTS=OFF -DTAPIVOX_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target tapivox mapwatch >/dev/null
export MAPWATCH="$PWD/build-bench/mapwatch"
declare -A CMD=([tapivox]="$PWD/build-bench/tapivox" [ktouch]=ktouch [klavaro]=klavaro [tipp10]=tipp10)
programs=(tapivox)
for p in ktouch klavaro tipp10; do command -v "$p" >/dev/null && programs+=("$p"); done
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
out="$root/results"
: >"$out"

# One launch: prints "name key=value..." for start-up, memory and idle cost.
launch() { # name idle_ms
  local name=$1 idle=$2 home="$root/home-$1"
  mkdir -p "$home"
  HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    scripts/xvfb.sh bash -c "cd '$home' && \"\$MAPWATCH\" --settle 1000 --idle $idle -- ${CMD[$name]}" 2>/dev/null \
    | sed "s/^/$name /"
}

for p in "${programs[@]}"; do launch "$p" 0 | sed 's/^\(\S*\) /\1 first-run /' >>"$out"; done
for p in "${programs[@]}"; do launch "$p" 0 >/dev/null; done # warm-up
for i in $(seq 1 "$runs"); do
  for p in "${programs[@]}"; do launch "$p" 0 >>"$out"; done
done
for p in "${programs[@]}"; do launch "$p" 10000 | sed 's/^\(\S*\) /\1 idle /' >>"$out"; done

# Typing cost in Tapivox: exercise 1 through the toolbar, 300 keys.
typing() {
  local home="$root/home-typing"
  mkdir -p "$home"
  HOME="$home" scripts/xvfb.sh bash -c '
    cd "'"$home"'"
    "'"${CMD[tapivox]}"'" & pid=$!
    for i in $(seq 1 100); do xdotool search --onlyvisible --name "^Tapivox$" >/dev/null 2>&1 && break; sleep 0.1; done
    sleep 1
    win=$(xdotool search --onlyvisible --name "^Tapivox$" | head -1)
    xdotool windowactivate "$win" 2>/dev/null || true
    # The toolbar button "Exercices" (left 116) below the menu bar.
    eval "$(xdotool getwindowgeometry --shell "$win")"
    xdotool mousemove $((X + 128)) $((Y + 40)) click 1
    sleep 0.5
    before=$(awk "{print \$14 + \$15}" /proc/$pid/stat)
    keys=$(for i in $(seq 1 50); do printf "g h space h g space "; done)
    xdotool key --delay 5 $keys
    sleep 0.5
    after=$(awk "{print \$14 + \$15}" /proc/$pid/stat)
    echo "tapivox typing cpu_ms_per_100_keys=$(( (after - before) * 1000 / $(getconf CLK_TCK) / 3 ))"
    kill $pid; wait $pid 2>/dev/null || true'
}
typing >>"$out" || true

awk -v runs="$runs" '
  function median(list,   a, n) { n = split(list, a, ","); asort(a); return n ? a[int((n + 1) / 2)] : -1 }
  function val(s, key,   i, kv, f, n) { n = split(s, f, " "); for (i = 1; i <= n; i++) { split(f[i], kv, "="); if (kv[1] == key) return kv[2] } return "" }
  $2 == "first-run" { first[$1] = val($0, "mapped_ms"); next }
  $2 == "idle" { idle[$1] = val($0, "idle_cpu_ms"); next }
  $2 == "typing" { typing[$1] = val($0, "cpu_ms_per_100_keys"); next }
  { start[$1] = start[$1] (start[$1] ? "," : "") val($0, "mapped_ms"); rss[$1] = rss[$1] (rss[$1] ? "," : "") val($0, "peak_rss_kb"); order[$1] = 1 }
  END {
    printf "%-9s %12s %14s %12s %14s %16s\n", "program", "start-up ms", "first run ms", "peak RSS MB", "idle CPU ms/10s", "typing ms/100 keys"
    for (p in order) {
      s = median(start[p]); m = median(rss[p]) / 1024
      printf "%-9s %12.1f %14.1f %12.1f %14s %16s\n", p, s, first[p], m, idle[p], (p in typing) ? typing[p] : "n/a"
      if (p != "tapivox") { if (!bs || s < bs) bs = s; if (!bm || m < bm) bm = m }
      else { ts = s; tm = m }
    }
    if (bs) printf "Tapivox / best peer: start-up %.2f, memory %.2f\n", ts / bs, tm / bm
  }' "$out"
