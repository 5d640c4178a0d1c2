#!/usr/bin/env bash
# Starts a private Xvfb on a free display with the French keyboard layout and
# runs the given command with DISPLAY pointing at it. With --wm, twm manages
# the display too; --screen WxH sets its size (1280x1024 otherwise). Only the
# processes started here are stopped afterwards.
set -uo pipefail
wm=0
screen=1280x1024
while [ $# -gt 0 ]; do
  case "$1" in
    --wm) wm=1; shift ;;
    --screen) screen="$2"; shift 2 ;;
    *) break ;;
  esac
done
display=""
for n in $(seq 91 140); do
  if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "no free X display" >&2; exit 1; }
# -noreset: without it the layout reverts to US when the last client leaves.
Xvfb ":$display" -screen 0 "${screen}x24" -noreset -nolisten tcp >/tmp/tapivox-xvfb-$display.log 2>&1 &
xpid=$!
wmpid=""
trap '[ -n "$wmpid" ] && kill $wmpid 2>/dev/null; kill $xpid 2>/dev/null; wait $xpid 2>/dev/null' EXIT
for _ in $(seq 1 100); do
  [ -e /tmp/.X11-unix/X$display ] && break
  sleep 0.05
done
export DISPLAY=":$display"
setxkbmap -display "$DISPLAY" fr || echo "setxkbmap fr failed" >&2
if [ $wm = 1 ]; then
  LANG=C twm -display "$DISPLAY" -f "$(dirname "$0")/twmrc" >/tmp/tapivox-twm-$display.log 2>&1 &
  wmpid=$!
  # Running once it has taken the root's SubstructureRedirect.
  for _ in $(seq 1 100); do
    xwininfo -root -events | grep -q SubstructureRedirect && break
    sleep 0.05
  done
  xwininfo -root -events | grep -q SubstructureRedirect || { echo "twm did not start" >&2; exit 1; }
fi
"$@"
