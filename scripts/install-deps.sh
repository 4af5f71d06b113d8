#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing Stimmung need.
# Idempotent: asks dpkg what is present and installs only what is missing.
set -euo pipefail

packages=(
  build-essential cmake g++ pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev qt6-svg-dev
  libsdl2-dev
  fonts-liberation fontconfig
  xvfb xauth xdotool imagemagick x11-utils
  pulseaudio pulseaudio-utils
  pipewire pipewire-bin pipewire-pulse wireplumber libspa-0.2-modules
  dbus-x11 at-spi2-core python3-pyatspi python3
  clang libclang-rt-14-dev
  desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

# The tests start their sound servers by hand. Installing pipewire-pulse
# enables its user service for every login, which would take the sound over
# from a desktop's running PulseAudio at the next login: keep the desktop as
# it was.
if [[ " ${missing[*]} " == *" pipewire-pulse "* ]] && command -v systemctl >/dev/null \
   && systemctl --global is-enabled pulseaudio.service >/dev/null 2>&1; then
  $sudo systemctl --global disable pipewire-pulse.service pipewire-pulse.socket >/dev/null 2>&1 || true
fi
