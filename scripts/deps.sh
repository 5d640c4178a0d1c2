#!/usr/bin/env bash
# Installs the Debian packages Tapivox needs to build and run
# (`scripts/deps.sh run`), and with no argument also those the tests need.
# Run as root it installs what is missing; otherwise it names what to install.
set -euo pipefail
RUN_PKGS=(
  cmake g++ make ccache pkg-config dpkg-dev
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-translations-l10n qt6-wayland
  libqt6sql6-sqlite libqt6sql6-psql python3 wfrench
  libgl-dev libxkbcommon-dev libxkbcommon-x11-dev libx11-dev
  fonts-liberation2 fonts-dejavu-core
  libwayland-dev qt6-base-private-dev
  libcanberra-dev sound-theme-freedesktop
)
TEST_PKGS=(
  clang libclang-rt-14-dev
  xvfb xauth x11-xkb-utils xdotool x11-utils x11-apps imagemagick twm
  lintian desktop-file-utils appstream
  sway wtype
  dbus at-spi2-core python3-pyatspi
  postgresql postgresql-common
  poppler-utils
)
PKGS=("${RUN_PKGS[@]}")
[ "${1:-}" = run ] || PKGS+=("${TEST_PKGS[@]}")
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "Paquets manquants : ${missing[*]}" >&2
  echo "Installez-les avec : sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
