#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzzers with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer: the core layer (src/core) once into an archive
# with the same instrumentation, then each fuzzer linked with it.
#   fuzz/build.sh core CLANG++ ARCHIVE         the core layer
#   fuzz/build.sh fuzzer CLANG++ ARCHIVE NAME OUTPUT
set -euo pipefail
mode="$1" cxx="$2" archive="$3"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
flags=(-std=c++20 -g -O1 -fno-sanitize-recover=undefined -I"$root/src/core")
case "$mode" in
core)
  objects="$(mktemp -d)"
  trap 'rm -rf "$objects"' EXIT
  for source in "$root"/src/core/*.cpp; do
    "$cxx" "${flags[@]}" -fsanitize=fuzzer-no-link,address,undefined -c "$source" \
      -o "$objects/$(basename "$source" .cpp).o"
  done
  rm -f "$archive"
  ar rcs "$archive" "$objects"/*.o
  ;;
fuzzer)
  name="$4" out="$5"
  "$cxx" "${flags[@]}" -fsanitize=fuzzer,address,undefined "$root/fuzz/$name.cpp" "$archive" -o "$out"
  ;;
esac
