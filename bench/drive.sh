#!/usr/bin/env bash
# Drives one typing tutor under Xvfb for bench/peers.sh, through the X server
# only (xdotool), as a learner would. Run by mapwatch --then, which sets
# MAPWATCH_PID and DISPLAY.
#   bench/drive.sh PROGRAM setup   dismiss the first-run dialog for good
#   bench/drive.sh PROGRAM type    open a drill, type the keys in $KEYS_FILE
#                                  and print "cpu_ms_per_100_keys=N keys=N"
#                                  (with $KEYLATENCY set, that program rather
#                                  presses them at a learner's pace and
#                                  prints their times to the screen)
# There is no window manager: windows sit where they map themselves and get
# the keyboard focus explicitly, and clicks are window-relative, preceded by
# a small move so that the toolkits see the pointer enter.
set -uo pipefail
program=${1%-sans-guide} mode=$2 # the guide's setting changes no step
pid=${MAPWATCH_PID:?run by mapwatch --then}

# The largest visible top-level window whose title matches, waited for (10 s).
window() { # title-regex
  local best="" area=0 w name W H
  for _ in $(seq 1 100); do
    for w in $(xdotool search --onlyvisible --class '.' 2>/dev/null); do
      name=$(xdotool getwindowname "$w" 2>/dev/null) || continue
      [[ $name =~ $1 ]] || continue
      eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null | grep -E '^(WIDTH|HEIGHT)=')"
      W=${WIDTH:-0} H=${HEIGHT:-0}
      if ((W * H > area)); then area=$((W * H)) best=$w; fi
    done
    [ -n "$best" ] && { echo "$best"; return 0; }
    sleep 0.1
  done
  echo "drive.sh: no window titled /$1/" >&2
  return 1
}

click() { # window x y
  xdotool mousemove --window "$1" $(($2 - 4)) $(($3 - 4)) sleep 0.1 \
    mousemove --window "$1" "$2" "$3" sleep 0.1 click 1
}

focus() { # window
  xdotool windowfocus "$1" 2>/dev/null || true
}

cpu_ticks() {
  local stat
  stat=$(<"/proc/$pid/stat")
  stat=${stat##*) }
  # shellcheck disable=SC2086
  set -- $stat
  # After the command: state is field 3, utime 14, stime 15.
  echo $((${12} + ${13}))
}

# Types the keys of $KEYS_FILE (xdotool key names, one line) and reports the
# CPU time the program used meanwhile, per 100 keys.
type_keys() {
  local keys before after n
  if [ -n "${KEYLATENCY:-}" ]; then
    sleep 0.5
    "$KEYLATENCY" --window "$w" --keys "$KEYS_FILE"
    return
  fi
  read -r -a keys <"$KEYS_FILE"
  n=${#keys[@]}
  sleep 0.5
  before=$(cpu_ticks)
  xdotool key --delay "${KEY_DELAY_MS:-20}" "${keys[@]}"
  sleep 0.5
  after=$(cpu_ticks)
  echo "cpu_ms_per_100_keys=$(((after - before) * 1000 * 100 / $(getconf CLK_TCK) / n)) keys=$n"
}

case $program:$mode in
tapivox:setup | klavaro:setup) ;; # no first-run dialog
tapivox:type)
  w=$(window '^Tapivox$') || exit 1
  focus "$w"
  if [ "${TAPIVOX_DRILL:-exos}" = exos ]; then
    click "$w" 128 40 # toolbar button "Exercices", below the menu bar
    sleep 0.5
  fi
  type_keys
  ;;
ktouch:setup)
  # Welcome dialog inside the main window: name, beginner, "Start Training".
  # The window maps before its QML content is ready: try until the profile
  # is in ktouch's database.
  w=$(window 'Typewriting Trainer') || exit 1
  db=${XDG_DATA_HOME:-$HOME/.local/share}/ktouch/profiles.db
  for _ in 1 2 3 4 5 6; do
    sleep 1
    focus "$w"
    click "$w" 475 250
    xdotool type --delay 20 tapivoxbench
    click "$w" 278 294
    click "$w" 475 484
    sleep 0.5
    grep -q tapivoxbench "$db" 2>/dev/null && break
  done
  ;;
ktouch:type)
  # Home screen: the course for the layout (French) is selected with its
  # lesson 1; "Start Training" at the bottom opens the drill.
  w=$(window 'Typewriting Trainer') || exit 1
  sleep 1
  focus "$w"
  click "$w" 623 646
  sleep 1.5
  type_keys
  ;;
klavaro:type)
  # Main menu: "2 - Adaptability" (random keys), then a key in the entry
  # field starts the exercise.
  w=$(window '^Klavaro') || exit 1
  focus "$w"
  click "$w" 200 162
  w=$(window 'Adaptability') || exit 1
  sleep 0.5
  focus "$w"
  click "$w" 250 470
  xdotool key space
  sleep 0.5
  type_keys
  ;;
tipp10:setup)
  # Welcome dialog: "Don't show me this window again", "Launch TIPP10";
  # then "Block Typing Errors" off (the box in the main window is saved only
  # when a lesson starts, so say it in the settings), so that every key
  # moves on, as in the other drills.
  w=$(window '^Introduction$') || exit 1
  focus "$w"
  click "$w" 220 377
  click "$w" 510 377
  window '^TIPP10$' >/dev/null || exit 1
  sleep 0.5
  printf '\n[error]\ncheck_stop=false\n' >>"${XDG_CONFIG_HOME:-$HOME/.config}/TIPP10/TIPP10.conf"
  ;;
tipp10:type)
  # Lesson 1 is selected: "Start Training", then the space bar starts it.
  w=$(window '^TIPP10$') || exit 1
  focus "$w"
  click "$w" 696 498
  sleep 1
  focus "$w"
  xdotool key space
  sleep 0.5
  type_keys
  ;;
*)
  echo "drive.sh: unknown $program $mode" >&2
  exit 2
  ;;
esac
if [ -n "${SHOT:-}" ]; then xwd -root -silent | convert xwd:- "$SHOT"; fi
exit 0
