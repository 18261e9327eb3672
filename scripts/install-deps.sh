#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing the client need.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

linux_packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libgtk-3-dev libwebkit2gtk-4.1-dev libkeybinder-3.0-dev
  libcurl4-openssl-dev libpng-dev libssl-dev
  xvfb xauth openbox xdotool x11-utils imagemagick trayer
  fonts-noto-cjk fonts-wqy-zenhei
  python3 python3-pil openssl
)

# The Windows program: the i686 cross toolchain, and Wine with its own
# desktop to smoke-test the executable (Debian's wine32 is an i386 package).
windows_packages=(
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  wine wine32:i386
)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${linux_packages[@]}" "${windows_packages[@]}"
