#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config git clang-format binutils
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-qpa-plugins
  # Qt Charts' CMake package needs the OpenGL module's, which qt6-charts-dev does not pull in.
  libqt6opengl6-dev
  libgl-dev libxkbcommon-dev
  libsqlcipher-dev sqlcipher
  libgtest-dev libgmock-dev googletest
  libjpeg62-turbo-dev libcurl4-openssl-dev libsodium-dev zlib1g-dev libxlsxwriter-dev
  fonts-noto-cjk fonts-droid-fallback
  xvfb xauth poppler-utils unzip
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
