#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds every fuzzer of fuzz/fuzzers.txt with clang's libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer into build-fuzz/ (or
# $FUZZ_OUT), then runs each for the given number of seconds (default 60) on a
# copy of its seed corpus and prints how many inputs it executed. Exits
# non-zero when a build fails or a fuzzer finds a fault.
#   fuzz/run.sh [seconds]
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds="${1:-60}"
out="${FUZZ_OUT:-build-fuzz}"
mkdir -p "$out"

status=0
while read -r name sources; do
  case "$name" in ''|'#'*) continue ;; esac
  echo "== $name: building"
  # shellcheck disable=SC2086  # the source list is split on purpose
  clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -Isrc/platform -Isrc/core -Isrc/tuning "fuzz/$name.cpp" $sources -o "$out/$name"
  echo "== $name: running ${seconds}s"
  bash fuzz/run_one.sh "$out/$name" "fuzz/corpus/$name" "$out/$name.run" "$seconds" || status=1
done < fuzz/fuzzers.txt
exit "$status"
