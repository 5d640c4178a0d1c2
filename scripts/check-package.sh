#!/usr/bin/env bash
# Builds the .deb and checks it as Debian would: lintian without an error or
# a warning, the desktop entry and the AppStream metainfo valid, the
# program and its print module hardened alike.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/package.sh >/dev/null
deb=$(ls -t build-deb/tapivox_*.deb | head -n1)
lintian --fail-on error,warning --allow-root "$deb"
desktop-file-validate packaging/tapivox.desktop
# --no-net: the screenshots and links are not fetched.
appstreamcli validate --no-net packaging/io.github.tapivox.Tapivox.metainfo.xml
# The program and its print module both fully hardened: read-only
# relocations bound at load time (RELRO with BIND_NOW), no executable stack.
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
fail() { echo "$1: ${elf#"$tree"}" >&2; exit 1; }
for elf in "$tree"/usr/bin/tapivox "$tree"/usr/lib/*/tapivox/tapivox_print.so; do
  [ -f "$elf" ] || fail "missing from the package"
  readelf -lW "$elf" | grep -q GNU_RELRO || fail "no RELRO"
  readelf -dW "$elf" | grep -Eq 'BIND_NOW|FLAGS_1.* NOW' || fail "no BIND_NOW"
  if readelf -lW "$elf" | grep GNU_STACK | grep -q RWE; then fail "executable stack"; fi
done
echo "package checked: $deb"
