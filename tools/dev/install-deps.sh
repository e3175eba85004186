#!/usr/bin/env bash
# Installs Debian packages when any is missing: with no arguments, those that building and
# testing Tavrelo need; with arguments, those packages (the scripts for the Debian package, the
# Windows build and its smoke test name their own).
#   tools/dev/install-deps.sh [PACKAGE...]
set -euo pipefail

packages=("$@")
[ ${#packages[@]} -gt 0 ] || packages=(
  build-essential cmake ninja-build pkg-config
  libcairo2-dev fonts-dejavu-core libfreetype-dev libfontconfig-dev
  libcanberra-dev sound-theme-freedesktop libsdl2-dev libwayland-dev
  xvfb xdotool weston
  libjpeg62-turbo-dev libjpeg-turbo-progs
  libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
