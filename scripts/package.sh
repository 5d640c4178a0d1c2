#!/usr/bin/env bash
# Builds the Debian package (build-deb/tapivox_<version>_amd64.deb) with CPack.
# Install it with: sudo apt-get install ./build-deb/tapivox_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
# Debian's hardening flags, as a distribution build would use them, for the
# program and for its print module alike.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DTAPIVOX_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  -DCMAKE_MODULE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build build-deb -j"$(nproc)"
(cd build-deb && cpack)
