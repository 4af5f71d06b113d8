#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one built fuzzer for a bounded time on a working copy of its seed
# corpus and prints how many inputs it executed. Everything it writes (the
# grown corpus, an input that made it fail, its log) stays in the working
# folder, so the seed corpus in the repository is only read.
#   fuzz/run_one.sh <fuzzer> <seed corpus folder> <working folder> <seconds>
set -euo pipefail

fuzzer="$1"
seeds="$2"
work="$3"
seconds="$4"
name="$(basename "$fuzzer")"

mkdir -p "$work/corpus"
if [ -d "$seeds" ]; then cp -Rf "$seeds"/. "$work/corpus"/; fi

log="$work/$name.log"
if "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$work/$name-" "$work/corpus" >"$log" 2>&1; then
  runs=$(grep -m1 '^stat::number_of_executed_units' "$log" | awk '{print $2}')
  echo "== $name: ${runs:-?} executions in ${seconds}s, no fault"
else
  echo "== $name: FAULT FOUND, log follows"
  tail -n 60 "$log"
  exit 1
fi
