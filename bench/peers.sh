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
#   bench/peers.sh [runs] [typing runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
typing_runs=${2:-3}
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
      SHOT="${SHOT:-}" "$OLDPWD/scripts/xvfb.sh" \
      "$mapwatch" --timeout 180 --settle 1000 --idle "$idle" ${watch//ROOT/$root} "${then[@]}" -- "${CMD[$name]}"
  ) || true; } 2>>"$out/messages.log" | tr '\n' ' ' | sed "s/^/$name /; s/ *$/\n/"
}

started=$(date +%s)
for p in "${programs[@]}"; do launch "$p" 0 setup | sed 's/^\(\S*\) /\1 first-run /' >>"$results"; done
for p in "${programs[@]}"; do launch "$p" 0 >/dev/null; done # warm-up
for _ in $(seq 1 "$runs"); do
  for p in "${programs[@]}"; do launch "$p" 0 >>"$results"; done
done
for p in "${programs[@]}"; do launch "$p" 10000 | sed 's/^\(\S*\) /\1 idle /' >>"$results"; done
for i in $(seq 1 "$typing_runs"); do
  for p in "${programs[@]}"; do
    SHOT=""
    [ "$i" -eq 1 ] && command -v xwd >/dev/null && SHOT="$out/drill-$p.png"
    SHOT=$SHOT launch "$p" 0 type | sed 's/^\(\S*\) /\1 typing /' >>"$results"
  done
done
notes+=("ktouch: lesson 1 of its French course (Start Training), the keys being its text.")
notes+=("klavaro: Adaptability exercise (random keys), started by a first key; most keys are errors, which it lets pass.")
notes+=("tipp10: lesson 1, Block Typing Errors off (set after the first run), started by the space bar.")
cp "$results" "$out/results.txt"

{
  echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) CPU(s), $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), in $(($(date +%s) - started)) s; start-up median of $runs, typing median of $typing_runs."
  awk -v order="${programs[*]}" '
    function median(list,   a, n, i, j, x) {
      n = split(list, a, ","); if (!n) return ""
      for (i = 2; i <= n; i++) { x = a[i] + 0; for (j = i - 1; j >= 1 && a[j] + 0 > x; j--) a[j + 1] = a[j]; a[j + 1] = x }
      return a[int((n + 1) / 2)]
    }
    function val(s, key,   i, kv, f, n) { n = split(s, f, " "); for (i = 1; i <= n; i++) { split(f[i], kv, "="); if (kv[1] == key) return kv[2] } return "" }
    function add(arr, p, v) { if (v != "" && v >= 0) arr[p] = arr[p] (arr[p] != "" ? "," : "") v }
    # The main window: the frame where a splash comes first.
    function main(s) { return val(s, "frame_ms") != "" ? val(s, "frame_ms") : val(s, "mapped_ms") }
    $2 == "first-run" { first[$1] = main($0); next }
    $2 == "idle" { add(idle, $1, val($0, "idle_cpu_ms")); next }
    $2 == "typing" { add(typing, $1, val($0, "cpu_ms_per_100_keys")); next }
    {
      add(start, $1, main($0)); add(rss, $1, val($0, "peak_rss_kb")); add(xorg, $1, val($0, "xorg_kb"))
      if (val($0, "frame_ms") != "") add(splash, $1, val($0, "mapped_ms"))
      add(painted, $1, val($0, "painted_ms")); add(answer, $1, val($0, "answer_ms"))
    }
    function cell(v, fmt) { return v == "" ? "n/a" : sprintf(fmt, v) }
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
        s[p] = median(start[p]); m[p] = median(rss[p]); d[p] = median(idle[p]); t[p] = median(typing[p])
        x[p] = median(xorg[p])
        if (m[p] != "") m[p] /= 1024
        if (x[p] != "") x[p] /= 1024
        printf "| %s | %s | %s | %s | %s | %s | %s | %s | %s | %s |\n", p, cell(median(splash[p]), "%.0f"),
          cell(s[p], "%.0f"), cell(median(painted[p]), "%.0f"), cell(median(answer[p]), "%.0f"),
          cell(first[p], "%.0f"), cell(m[p], "%.1f"), cell(x[p], "%.1f"), cell(d[p], "%d"), cell(t[p], "%d")
        if (p != "tapivox") {
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
  echo
  echo "Typing drills:"
  for n in "${notes[@]}"; do echo "- $n"; done
} | tee "$out/table.md"
