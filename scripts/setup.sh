#!/usr/bin/env bash
# Installs what the family needs to build, run and test on Debian 12. Quick when all is there.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-qpa-plugins qt6-wayland libsndfile1-dev libxcb1-dev libxcb-randr0-dev libxcb-damage0-dev
    libfontconfig-dev
    libgtest-dev libgmock-dev
    pulseaudio pulseaudio-utils sound-theme-freedesktop
    xvfb xauth openbox xdotool wmctrl x11-utils x11-xserver-utils imagemagick
    fonts-liberation2 fonts-dejavu-core
    dpkg-dev desktop-file-utils appstream libglib2.0-bin lintian file man-db
    dbus at-spi2-core
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
