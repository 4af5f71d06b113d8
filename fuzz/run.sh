#!/usr/bin/env bash
# Builds every fuzzer with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/, then runs each for the given
# number of seconds (default 60) on a copy of its seed corpus and prints how
# many inputs it executed. Exits non-zero when a build fails or a fuzzer
# finds a fault.
#   fuzz/run.sh [seconds]
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds="${1:-60}"
out=build-fuzz
mkdir -p "$out"

# Each fuzzer: its name, then the sources it is built from besides fuzz/<name>.cpp.
fuzzers=(
  "fuzz_read_number src/platform/numbers.cpp"
  "fuzz_number_text src/platform/numbers.cpp"
  "fuzz_melody_cells src/audio/melody_cells.cpp src/platform/numbers.cpp"
)

status=0
for entry in "${fuzzers[@]}"; do
  read -r name sources <<<"$entry"
  echo "== $name: building"
  # shellcheck disable=SC2086  # the source list is split on purpose
  clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -Isrc/platform "fuzz/$name.cpp" $sources -o "$out/$name"

  # Run on a copy, so the inputs libFuzzer adds stay out of the repository.
  corpus="$out/corpus/$name"
  mkdir -p "$corpus"
  if [ -d "fuzz/corpus/$name" ]; then cp -f "fuzz/corpus/$name"/* "$corpus"/; fi

  echo "== $name: running ${seconds}s"
  log="$out/$name.log"
  if "$out/$name" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$out/$name-" "$corpus" >"$log" 2>&1; then
    runs=$(grep -m1 '^stat::number_of_executed_units' "$log" | awk '{print $2}')
    echo "== $name: ${runs:-?} executions, no fault"
  else
    echo "== $name: FAULT FOUND, log follows"
    tail -n 60 "$log"
    status=1
  fi
done
exit "$status"
