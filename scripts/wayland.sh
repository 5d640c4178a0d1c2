#!/usr/bin/env bash
# Starts a private headless Wayland compositor (sway, French layout) and runs
# the given command as its native Wayland client (QT_QPA_PLATFORM=wayland);
# keys are sent with wtype. Only the compositor started here is stopped.
# sway refuses to run as root: as root it runs as the user nobody.
set -uo pipefail
base=$(mktemp -d /tmp/tapivox-wayland.XXXXXX) || exit 1
chmod 755 "$base"
server="$base/server" client="$base/client"
mkdir -m 700 "$server" "$client"
cat >"$base/config" <<'CONF'
xwayland disable
input * xkb_layout fr
CONF
chmod 644 "$base/config"
run=()
if [ "$(id -u)" -eq 0 ]; then
  chown nobody:nogroup "$server"
  run=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
env -i PATH=/usr/bin:/bin HOME="$server" XDG_RUNTIME_DIR="$server" \
  WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman WLR_HEADLESS_OUTPUTS=1 \
  "${run[@]}" sway -c "$base/config" >"$base/sway.log" 2>&1 &
spid=$!
stop() { kill $spid 2>/dev/null; wait $spid 2>/dev/null; rm -rf "$base"; }
trap stop EXIT
trap 'exit 143' INT TERM
socket=""
for _ in $(seq 1 200); do
  for s in "$server"/wayland-*; do
    [ -S "$s" ] && { socket=$s; break; }
  done
  [ -n "$socket" ] && break
  kill -0 $spid 2>/dev/null || break
  sleep 0.05
done
if [ -z "$socket" ]; then
  echo "sway did not start:" >&2
  cat "$base/sway.log" >&2
  exit 1
fi
export WAYLAND_DISPLAY="$socket" XDG_RUNTIME_DIR="$client" QT_QPA_PLATFORM=wayland
unset DISPLAY
# A keyboard that stays on the seat, as on a desktop: the keyboards that
# wtype brings for each test key then come and go without taking the
# keyboard focus away from the program.
wtype -s 86400000 &
kpid=$!
trap 'kill $kpid 2>/dev/null; wait $kpid 2>/dev/null; stop' EXIT
"$@"
