#!/usr/bin/env bash
# Installs the Debian 12 packages Tessaly needs to build, run and test, when any is missing.
# Safe to run again: it does nothing when everything is there.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev libgl-dev
    libbenchmark-dev
    xvfb xauth fonts-liberation
    clang-14 libclang-rt-14-dev
    librsvg2-bin gzip
    dpkg-dev file lintian desktop-file-utils appstream shared-mime-info debootstrap
    libphonenumber-dev libicu-dev libprotobuf-dev
    chromium
    parallel
    libzip-dev libxml2-dev libgmime-3.0-dev poppler-utils python3
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
