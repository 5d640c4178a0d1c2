#!/usr/bin/env bash
# Tapivox against the typing tutors a French learner would otherwise pick
# (ktouch, klavaro, tipp10), measured in the same run, alternating, each
# launch under its own Xvfb display, each program with its own fresh HOME:
#   start-up   launch until the main window is mapped (median of [runs]
#              after a warm-up); the first launch, which may build a
#              database or show a welcome dialog, is reported apart and its
#              dialog is then dismissed for good (bench/drive.sh setup).
#              Tapivox shows a splash first: its main window is the
#              "Tapivox" frame; the splash is reported apart, and so are the
#              frame's first paint and its first key answered (a key pressed
#              as soon as the frame is mapped, until the keyboard window's
#              text shows the key's description on screen; mapwatch --answer,
#              whose reference pixels the first launch records)
#   memory     peak resident memory (VmHWM) one second after start-up, and
#              the part of it that is the X server's shared back buffer of the
#              window (/memfd:xorg), which grows with the window's size
#   idle       CPU time used in 10 s with nobody typing, after start-up
#   typing     CPU time per 100 keys while 300 characters are typed through
#              the X server (xdotool) into an open drill (bench/drive.sh type;
#              median of [typing runs])
# Screenshots of each drill and the programs' messages go to bench/out/.
# Start-up, memory and first key are measured in [reps] repetitions of
# [runs] launches, the programs alternating within each launch round; the
# table gives the median of the repetitions' medians and their spread
# (largest minus smallest). Everything is measured twice: without a session
# bus, and inside dbus-run-session as a desktop always has one. A machine
# that is not quiet (load average above 1 at the start or at the end) gets
# no table: the figures would say more about the load than the programs
# (TAPIVOX_BENCH_ANY_LOAD=1 prints it anyway, marked as such).
# TAPIVOX_BENCH_GUIDE_OFF=1 adds "tapivox-sans-guide": the same program with
# its keyboard guide switched off in its settings, as before the guide was.
#   bench/peers.sh [runs] [typing runs] [reps]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
typing_runs=${2:-3}
reps=${3:-3}
load_now() { cut -d' ' -f1 /proc/loadavg; }
load_start=$(load_now)
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
mapwatch="$PWD/build-bench/mapwatch"
drive="$PWD/bench/drive.sh"
declare -A CMD=([tapivox]="$PWD/build-bench/tapivox" [ktouch]=ktouch [klavaro]=klavaro [tipp10]=tipp10)
declare -A WATCH=([tapivox]="--frame ^Tapivox$ --answer a --reference ROOT/answer-tapivox")
programs=(tapivox)
if [ "${TAPIVOX_BENCH_GUIDE_OFF:-0}" = 1 ]; then
  CMD[tapivox-sans-guide]=${CMD[tapivox]}
  WATCH[tapivox-sans-guide]="--frame ^Tapivox$ --answer a --reference ROOT/answer-tapivox-sans-guide"
  programs+=(tapivox-sans-guide)
fi
for p in ktouch klavaro tipp10; do command -v "$p" >/dev/null && programs+=("$p"); done
out="$PWD/bench/out"
mkdir -p "$out"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
results="$root/results"
: >"$results"
: >"$out/messages.log"
notes=()

# Until the exercises window takes typing, Tapivox's keys go to its frame.
if grep -q 'TExos::SetIni' src/drills/texos.cpp 2>/dev/null; then
  export TAPIVOX_DRILL=exos
  notes+=("Tapivox: exercise 1, opened by the frame's toolbar button Exercices; its three model lines typed right, then keys it refuses.")
else
  export TAPIVOX_DRILL=frame
  notes+=("Tapivox: the exercises window is not built yet; exercise 1's keys went to the frame's front (keyboard) window.")
fi

# The keys, 300 for each: ktouch gets the first 300 characters of its French
# lesson 1 (f, j and spaces; it stops on errors, so it must get its text),
# klavaro and tipp10 the same keys, line ends typed as spaces. Tapivox gets
# the three model lines of exercise 1 (207 right keys), then keys that the
# finished exercise refuses and counts as errors.
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
repeat() { # pair, count: "gh hg gh hg"
  local line=$1 i
  for ((i = 1; i < $2; i++)); do line+=" $1"; done
  echo "$line"
}
keys_of "$text" Return >"$root/keys-ktouch"
keys_of "$text" space >"$root/keys"
exercise=$(repeat "gh hg" 12)$(repeat "qg mh" 11)$(repeat "dg kh" 12)
while [ ${#exercise} -lt 300 ]; do exercise+="gh hg "; done
keys_of "${exercise:0:300}" space >"$root/keys-tapivox"
cp "$root/keys-tapivox" "$root/keys-tapivox-sans-guide"
# Every measure starts from new homes: the typing runs of the one before
# leave a history (Tapivox's journal, read at start-up once it exists) that
# would weigh on the next one's start-up and memory.
fresh_homes() {
  rm -rf "$root"/home-*
  mkdir -p "$root/home-tapivox-sans-guide/.config/Tapivox"
  printf '[guide]\nvisible=false\n' >"$root/home-tapivox-sans-guide/.config/Tapivox/Tapivox.conf"
}

# One launch of a program under mapwatch, in its own display and HOME, with
# an optional drive.sh step; prints mapwatch's and drive.sh's key=value line.
launch() { # name idle_ms [drive step]
  local name=$1 idle=$2 step=${3:-} home="$root/home-$1" then=() watch=${WATCH[$1]:-}
  mkdir -p "$home/run"
  chmod 700 "$home/run"
  [ -n "$step" ] && then=(--then "$drive $name $step")
  local keyfile="$root/keys"
  [ -e "$root/keys-$name" ] && keyfile="$root/keys-$name"
  { (
    cd "$home"
    HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
      XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/run" KEYS_FILE="$keyfile" \
      SHOT="${SHOT:-}" "$OLDPWD/scripts/xvfb.sh" ${BUS:+dbus-run-session --} \
      "$mapwatch" --timeout 180 --settle 1000 --idle "$idle" ${watch//ROOT/$root} "${then[@]}" -- "${CMD[$name]}"
  ) || true; } 2>>"$out/messages.log" | tr '\n' ' ' | sed "s/^/$name /; s/ *$/\n/"
}

# One whole measure, its lines in $results prefixed by the bus setting.
measure() { # bus: "" or 1
  local tag=nobus p i r
  [ -n "$1" ] && tag=bus
  export BUS=$1
  fresh_homes
  for p in "${programs[@]}"; do launch "$p" 0 setup | sed "s/^\(\S*\) /$tag \1 first-run /" >>"$results"; done
  for p in "${programs[@]}"; do launch "$p" 0 >/dev/null; done # warm-up
  for r in $(seq 1 "$reps"); do
    for _ in $(seq 1 "$runs"); do
      for p in "${programs[@]}"; do launch "$p" 0 | sed "s/^\(\S*\) /$tag \1 rep$r /" >>"$results"; done
    done
  done
  for p in "${programs[@]}"; do launch "$p" 10000 | sed "s/^\(\S*\) /$tag \1 idle /" >>"$results"; done
  for i in $(seq 1 "$typing_runs"); do
    for p in "${programs[@]}"; do
      SHOT=""
      [ "$i" -eq 1 ] && [ -z "$1" ] && command -v xwd >/dev/null && SHOT="$out/drill-$p.png"
      SHOT=$SHOT launch "$p" 0 type | sed "s/^\(\S*\) /$tag \1 typing /" >>"$results"
    done
  done
  unset BUS
}

# The table of one bus setting: each figure of a launch is the median of the
# repetitions' medians, with its spread after "±" (half the range).
table() { # tag
  awk -v order="${programs[*]}" -v tag="$1" -v reps="$reps" '
    function median(list,   a, n, i, j, x) {
      n = split(list, a, ","); if (!n) return ""
      for (i = 2; i <= n; i++) { x = a[i] + 0; for (j = i - 1; j >= 1 && a[j] + 0 > x; j--) a[j + 1] = a[j]; a[j + 1] = x }
      return a[int((n + 1) / 2)]
    }
    function val(s, key,   i, kv, f, n) { n = split(s, f, " "); for (i = 1; i <= n; i++) { split(f[i], kv, "="); if (kv[1] == key) return kv[2] } return "" }
    function add(arr, k, v) { if (v != "" && v >= 0) arr[k] = arr[k] (arr[k] != "" ? "," : "") v }
    # The main window: the frame where a splash comes first.
    function main(s) { return val(s, "frame_ms") != "" ? val(s, "frame_ms") : val(s, "mapped_ms") }
    # Median of the repetitions medians of arr for p; spread in spr[p].
    function reped(arr, p, spr,   r, m, all, lo, hi, v) {
      all = ""; lo = ""; hi = ""
      for (r = 1; r <= reps; r++) {
        v = median(arr[p SUBSEP r]); if (v == "") continue
        all = all (all != "" ? "," : "") v
        if (lo == "" || v + 0 < lo) lo = v + 0
        if (hi == "" || v + 0 > hi) hi = v + 0
      }
      spr[p] = (lo == "" ? "" : (hi - lo) / 2)
      return median(all)
    }
    $1 != tag { next }
    { $1 = ""; sub(/^ /, "") }
    $2 == "first-run" { first[$1] = main($0); next }
    $2 == "idle" { add(idle, $1, val($0, "idle_cpu_ms")); next }
    $2 == "typing" { add(typing, $1, val($0, "cpu_ms_per_100_keys")); next }
    $2 ~ /^rep/ {
      r = substr($2, 4) + 0
      add(start, $1 SUBSEP r, main($0)); add(rss, $1 SUBSEP r, val($0, "peak_rss_kb")); add(xorg, $1 SUBSEP r, val($0, "xorg_kb"))
      if (val($0, "frame_ms") != "") add(splash, $1 SUBSEP r, val($0, "mapped_ms"))
      add(painted, $1 SUBSEP r, val($0, "painted_ms")); add(answer, $1 SUBSEP r, val($0, "answer_ms"))
    }
    function cell(v, fmt) { return v == "" ? "n/a" : sprintf(fmt, v) }
    function spread(v, sp, fmt) { return v == "" ? "n/a" : sprintf(fmt " ± " fmt, v, sp) }
    function ratio(t, b) {
      if (t == "" || b == "") return "n/a"
      if (b <= 0) return t <= 0 ? "both 0" : "n/a"
      return sprintf("%.2f", t / b)
    }
    END {
      n = split(order, names, " ")
      print "| program | splash ms | start-up ms | painted ms | first key ms | first run ms | peak RSS MB | X back buffer MB | idle CPU ms / 10 s | typing CPU ms / 100 keys |"
      print "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
      for (i = 1; i <= n; i++) {
        p = names[i]
        s[p] = reped(start, p, ss); m[p] = reped(rss, p, ms); x[p] = reped(xorg, p, xs)
        d[p] = median(idle[p]); t[p] = median(typing[p])
        sp = reped(splash, p, sps); pa = reped(painted, p, pas); an = reped(answer, p, ans)
        if (m[p] != "") { m[p] /= 1024; ms[p] /= 1024 }
        if (x[p] != "") { x[p] /= 1024; xs[p] /= 1024 }
        printf "| %s | %s | %s | %s | %s | %s | %s | %s | %s | %s |\n", p, spread(sp, sps[p], "%.0f"),
          spread(s[p], ss[p], "%.0f"), spread(pa, pas[p], "%.0f"), spread(an, ans[p], "%.0f"),
          cell(first[p], "%.0f"), spread(m[p], ms[p], "%.1f"), cell(x[p], "%.1f"), cell(d[p], "%d"), cell(t[p], "%d")
        if (p !~ /^tapivox/) {
          if (s[p] != "" && (bs == "" || s[p] < bs)) bs = s[p]
          if (first[p] != "" && (bf == "" || first[p] < bf)) bf = first[p]
          if (m[p] != "" && (bm == "" || m[p] < bm)) bm = m[p]
          if (d[p] != "" && (bd == "" || d[p] < bd)) bd = d[p]
          if (t[p] != "" && (bt == "" || t[p] < bt)) bt = t[p]
        }
      }
      printf "| Tapivox / best peer | | %s | | | %s | %s | | %s | %s |\n", ratio(s["tapivox"], bs),
        ratio(first["tapivox"], bf), ratio(m["tapivox"], bm), ratio(d["tapivox"], bd), ratio(t["tapivox"], bt)
    }' "$results"
}

started=$(date +%s)
measure ""
measure 1
load_end=$(load_now)
notes+=("ktouch: lesson 1 of its French course (Start Training), the keys being its text.")
notes+=("klavaro: Adaptability exercise (random keys), started by a first key; most keys are errors, which it lets pass.")
notes+=("tipp10: lesson 1, Block Typing Errors off (set after the first run), started by the space bar.")
cp "$results" "$out/results.txt"

quiet=1
awk -v a="$load_start" -v b="$load_end" 'BEGIN { exit !(a > 1 || b > 1) }' && quiet=0
{
  echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) CPU(s), $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), in $(($(date +%s) - started)) s; load average $load_start at the start, $load_end at the end; start-up: median of $reps repetitions of the median of $runs launches, ± half their range; typing median of $typing_runs."
  if [ "$quiet" = 0 ]; then
    echo
    echo "NOT A QUIET MACHINE (load average above 1): these figures compare nothing."
    if [ "${TAPIVOX_BENCH_ANY_LOAD:-0}" != 1 ]; then
      echo "No table is given; the raw launches are in bench/out/results.txt."
      exit 2
    fi
  fi
  echo
  echo "Without a session bus:"
  echo
  table nobus
  echo
  echo "With a session bus (dbus-run-session):"
  echo
  table bus
  echo
  echo "Typing drills:"
  for n in "${notes[@]}"; do echo "- $n"; done
} | tee "$out/table.md"
exit "${PIPESTATUS[0]}"
