#!/usr/bin/env bash
# Builds the .deb and checks it as Debian would: lintian without an error or
# a warning, the desktop entry and the AppStream metainfo valid.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/package.sh >/dev/null
deb=$(ls -t build-deb/tapivox_*.deb | head -n1)
lintian --fail-on error,warning --allow-root "$deb"
desktop-file-validate packaging/tapivox.desktop
# --no-net: the screenshots and links are not fetched.
appstreamcli validate --no-net packaging/io.github.tapivox.Tapivox.metainfo.xml
echo "package checked: $deb"
