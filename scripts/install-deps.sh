#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing Stimmung
# need: the Build-Depends of debian/control, the run-time Depends named there
# and the packages of scripts/test-packages.txt.
# Idempotent: asks dpkg what is present and installs only what is missing.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# The Depends of the binary package without the substitutions dh fills in
# (names only): what the program loads at run time, `make run` needs it too.
runtime_packages() {
  awk '/^Package: stimmung$/ { p = 1 }
       p && /^Depends:/ { d = 1; sub(/^Depends:/, ""); print; next }
       d && /^[ \t]/ { print; next }
       d { exit }' debian/control |
    tr ',' '\n' | sed -E 's/\$\{[^}]*\}//; s/\(.*\)//; s/[[:space:]]//g' | grep -v '^$' || true
}

build_deps_met() {
  command -v dpkg-checkbuilddeps >/dev/null && dpkg-checkbuilddeps >/dev/null 2>&1
}

mapfile -t packages < <(runtime_packages; sed 's/#.*//' scripts/test-packages.txt | tr -s ' \t' '\n' | grep -v '^$')
installed=" $(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "${packages[@]}" 2>/dev/null |
  awk '$1 == "ii" { printf "%s ", $2 }')"
missing=()
for p in "${packages[@]}"; do
  [[ $installed == *" $p "* ]] || missing+=("$p")
done

build_missing=0
build_deps_met || build_missing=1
[ ${#missing[@]} -eq 0 ] && [ $build_missing -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
if [ $build_missing -eq 1 ]; then
  echo "Installing the Build-Depends of debian/control"
  $sudo apt-get build-dep -y -qq --no-install-recommends ./
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The tests start their sound servers by hand. Installing pipewire-pulse
# enables its user service for every login, which would take the sound over
# from a desktop's running PulseAudio at the next login: keep the desktop as
# it was.
if [[ " ${missing[*]} " == *" pipewire-pulse "* ]] && command -v systemctl >/dev/null \
   && systemctl --global is-enabled pulseaudio.service >/dev/null 2>&1; then
  $sudo systemctl --global disable pipewire-pulse.service pipewire-pulse.socket >/dev/null 2>&1 || true
fi
