#!/usr/bin/env bash
# Starts a private Xvfb on a free display with the French keyboard layout and
# runs the given command with DISPLAY pointing at it. Only the server started
# here is stopped afterwards.
set -uo pipefail
display=""
for n in $(seq 91 140); do
  if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "no free X display" >&2; exit 1; }
# -noreset: without it the layout reverts to US when the last client leaves.
Xvfb ":$display" -screen 0 1280x1024x24 -noreset -nolisten tcp >/tmp/tapivox-xvfb-$display.log 2>&1 &
xpid=$!
trap 'kill $xpid 2>/dev/null; wait $xpid 2>/dev/null' EXIT
for _ in $(seq 1 100); do
  [ -e /tmp/.X11-unix/X$display ] && break
  sleep 0.05
done
export DISPLAY=":$display"
setxkbmap -display "$DISPLAY" fr || echo "setxkbmap fr failed" >&2
"$@"
