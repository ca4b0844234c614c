#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, quietly and only
# when something is missing; then configures and builds into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ cmake ninja-build ccache qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
          clang libclang-rt-14-dev fonts-arphic-uming fonts-dejavu-core fonts-wine xvfb xauth
          xdotool openbox x11-utils libx11-dev at-spi2-core python3-pyatspi dbus-x11
          fcitx5 fcitx5-chinese-addons fcitx5-frontend-qt6 dbus
          pkg-config libsodium-dev libqt6sql6-sqlite libqt6sql6-psql postgresql
          zlib1g-dev qt6-svg-dev desktop-file-utils appstream dpkg-dev python3 poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The cache outlives the checkout: paths are made relative so that a fresh clone
# in another folder still hits it.
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}"
BUILD_DIR="${BUILD_DIR:-build}"
# Warnings fail the build everywhere, so that local builds and CI share one cache.
CMAKE_EXTRA="-DORGRIGHTS_WERROR=ON ${CMAKE_EXTRA:-}"
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="$BUILD_TYPE" ${CMAKE_EXTRA:-} >/dev/null
fi
cmake --build "$BUILD_DIR" -- -j"$(nproc)" ${BUILD_TARGETS:-}
