#!/usr/bin/env bash
# Installs what building and testing need (Debian, as root) and configures the build.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ cmake ninja-build pkgconf qt6-base-dev qt6-base-dev-tools libjpeg62-turbo-dev libgtest-dev libtbb-dev
          libacl1-dev libxxhash-dev fonts-liberation xvfb xauth xdg-utils python3 time clang clang-format libclang-rt-14-dev llvm)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
