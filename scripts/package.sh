#!/usr/bin/env bash
# Sets up what is missing, builds Tessaly in Release with Debian's hardening flags and makes the
# two Debian packages with CPack: build/package/tessaly-extract_VERSION_ARCH.deb (the extractor)
# and build/package/tessaly_VERSION_ARCH.deb (the window).
# TESSALY_SUPPORT_ADDRESS, when set, is the address the error report names.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
build="$root/build/package"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
address=()
if [ -n "${TESSALY_SUPPORT_ADDRESS:-}" ]; then
    address=(-DTESSALY_SUPPORT_ADDRESS="$TESSALY_SUPPORT_ADDRESS")
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DTESSALY_BUILD_TESTS=OFF -DTESSALY_BUILD_BENCH=OFF "${address[@]}" \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DCMAKE_MODULE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build"
rm -f "$build"/tessaly_*.deb "$build"/tessaly-extract_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/tessaly-extract_*.deb "$build"/tessaly_*.deb
