#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test Tovrek.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libjpeg62-turbo-dev
  libgtest-dev libbenchmark-dev
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth imagemagick
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
