#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a clean copy of the tracked sources, so that
# nothing is written beside the repository and no CMake build tree is touched,
# then checks it with lintian (which fails on errors, not on warnings).
# The package lands in OUT; the copy and the build's by-products (.buildinfo,
# .changes, build log) stay in OUT/deb-build. JOBS caps the parallel build.
#   packaging/build-deb.sh [OUT]        (default: build)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
mkdir -p "${1:-$root/build}"
out="$(cd "${1:-$root/build}" && pwd)"
work="$out/deb-build"
src="$work/stimmung"

rm -rf "$work" "$out"/stimmung_*.deb
mkdir -p "$src"

# Tracked files as they stand in the work tree; tracked files deleted there
# are left out.
git -C "$root" ls-files -z \
  | (cd "$root" && while IFS= read -r -d '' f; do
       if [[ -e $f || -L $f ]]; then printf '%s\0' "$f"; fi
     done) \
  | tar -C "$root" --null -T - -cf - | tar -C "$src" -xf -

echo "Building the Debian package in $work"
(cd "$src" && dpkg-buildpackage -b -us -uc ${JOBS:+-J"$JOBS"}) >"$work/build.log" 2>&1 || {
  tail -n 40 "$work/build.log"
  echo "dpkg-buildpackage failed; the whole log is $work/build.log" >&2
  exit 1
}

mv "$work"/stimmung_*.deb "$out"/
deb=("$out"/stimmung_*.deb)
echo "Built ${deb[*]}"
lintian "${deb[@]}"
