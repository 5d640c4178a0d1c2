#!/usr/bin/env bash
# Key to screen, Tapivox against the typing tutors of Debian (ktouch,
# klavaro, tipp10, those installed), in one run, the programs alternated,
# each launch under its own Xvfb with its own fresh HOME: a drill opened as
# bench/peers.sh opens it (bench/drive.sh), then 300 keys pressed through
# XTest five a second, each timed until the X server's first Damage event
# on the program's window after it (build-bench/keylatency). Tapivox runs
# with its keyboard guide shown and hidden (tapivox-sans-guide). Mean,
# median, 95th and 99th percentiles and the worst key, in ms. A machine
# whose load average is above 1 at the start or the end gets no table
# (TAPIVOX_BENCH_ANY_LOAD=1 prints it anyway, marked as such).
# TAPIVOX_BENCH_BUILD names another build folder configured with
# -DTAPIVOX_BENCH=ON (default build-bench, configured here).
#   bench/latency.sh [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-1}
build=${TAPIVOX_BENCH_BUILD:-build-bench}
load_now() { cut -d' ' -f1 /proc/loadavg; }
load_start=$(load_now)
scripts/deps.sh
[ -n "${TAPIVOX_BENCH_BUILD:-}" ] ||
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAPIVOX_TESTS=OFF -DTAPIVOX_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target tapivox mapwatch keylatency >/dev/null
export KEYLATENCY="$PWD/$build/keylatency" TAPIVOX_DRILL=exos
mapwatch="$PWD/$build/mapwatch"
drive="$PWD/bench/drive.sh"
declare -A CMD=([tapivox]="$PWD/$build/tapivox" [tapivox-sans-guide]="$PWD/$build/tapivox"
  [ktouch]=ktouch [klavaro]=klavaro [tipp10]=tipp10)
programs=(tapivox tapivox-sans-guide)
for p in tipp10 klavaro ktouch; do command -v "$p" >/dev/null && programs+=("$p"); done
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
out="$PWD/bench/out"
mkdir -p "$out"

# The keys, as bench/peers.sh gives them: exercise 1's three lines for
# Tapivox, ktouch's French lesson 1 for ktouch, its f, j and spaces for the
# others.
text=""
[ -r /usr/share/ktouch/courses/fr.xml ] &&
  text=$(awk 'BEGIN { RS = "</text>" } NR == 1 { sub(/.*<text>/, ""); print; exit }' \
    /usr/share/ktouch/courses/fr.xml | head -c 300)
if [ ${#text} -lt 300 ]; then
  text=""
  while [ ${#text} -lt 300 ]; do text+="jf fjf fj jfj "; done
  text=${text:0:300}
fi
keys_of() { # text, key for a line end
  local keys=() c i
  for ((i = 0; i < ${#1}; i++)); do
    c=${1:i:1}
    case $c in
    ' ') keys+=(space) ;;
    $'\n') keys+=("$2") ;;
    *) keys+=("$c") ;;
    esac
  done
  echo "${keys[*]}"
}
repeat() { local line=$1 i; for ((i = 1; i < $2; i++)); do line+=" $1"; done; echo "$line"; }
keys_of "$text" Return >"$root/keys-ktouch"
keys_of "$text" space >"$root/keys"
exercise=$(repeat "gh hg" 12)$(repeat "qg mh" 11)$(repeat "dg kh" 12)
while [ ${#exercise} -lt 300 ]; do exercise+="gh hg "; done
keys_of "${exercise:0:300}" space >"$root/keys-tapivox"
cp "$root/keys-tapivox" "$root/keys-tapivox-sans-guide"
mkdir -p "$root/home-tapivox-sans-guide/.config/Tapivox"
printf '[guide]\nvisible=false\n' >"$root/home-tapivox-sans-guide/.config/Tapivox/Tapivox.conf"

launch() { # name [drive step]
  local name=$1 home="$root/home-$1" keyfile="$root/keys"
  [ -e "$root/keys-$name" ] && keyfile="$root/keys-$name"
  mkdir -p "$home/run"
  chmod 700 "$home/run"
  { (
    cd "$home"
    HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
      XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/run" KEYS_FILE="$keyfile" SHOT="" \
      "$OLDPWD/scripts/xvfb.sh" "$mapwatch" --timeout 180 --settle 1000 --then "$drive $name $2" \
      -- ${CMD[$name]}
  ) || true; } 2>>"$out/latency-messages.log" | { grep -o 'latency_keys=.*' || true; } | sed "s/^/$name /"
}
: >"$out/latency-messages.log"
for p in "${programs[@]}"; do launch "$p" setup >/dev/null; done
results="$root/results"
: >"$results"
for _ in $(seq 1 "$rounds"); do
  for p in "${programs[@]}"; do launch "$p" type >>"$results"; done
done
cp "$results" "$out/latency.txt"
load_end=$(load_now)
echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) CPU(s), $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'); load average $load_start at the start, $load_end at the end; $rounds round(s), 300 keys each, 5 a second."
if awk -v a="$load_start" -v b="$load_end" 'BEGIN { exit !(a > 1 || b > 1) }'; then
  echo
  echo "NOT A QUIET MACHINE (load average above 1): these figures compare nothing."
  if [ "${TAPIVOX_BENCH_ANY_LOAD:-0}" != 1 ]; then
    echo "No table is given; the raw runs are in bench/out/latency.txt."
    exit 2
  fi
fi
echo
echo "| program | mean ms | median ms | p95 ms | p99 ms | worst ms | keys without damage |"
echo "|---|---:|---:|---:|---:|---:|---:|"
for p in "${programs[@]}"; do
  # The median of the rounds' figures.
  grep "^$p latency" "$results" | awk -v p="$p" '
    function val(key,   i, kv) { for (i = 2; i <= NF; i++) { split($i, kv, "="); if (kv[1] == key) return kv[2] } return "" }
    { n++; for (k = 1; k <= 6; k++) v[k, n] = val(f[k]) }
    BEGIN { split("mean_ms median_ms p95_ms p99_ms max_ms missed", f, " ") }
    function median(k,   i, j, a, x) {
      for (i = 1; i <= n; i++) a[i] = v[k, i] + 0
      for (i = 2; i <= n; i++) { x = a[i]; for (j = i - 1; j >= 1 && a[j] > x; j--) a[j + 1] = a[j]; a[j + 1] = x }
      return a[int((n + 1) / 2)]
    }
    END {
      if (!n) { printf "| %s | n/a | n/a | n/a | n/a | n/a | n/a |\n", p; exit }
      printf "| %s | %.2f | %.2f | %.2f | %.2f | %.2f | %d |\n", p, median(1), median(2), median(3), median(4), median(5), median(6)
    }'
done
