#!/usr/bin/env bash
# Runs every fuzz target of the build given as the first argument for the
# given number of seconds (default 60), starting from its seeds under
# tests/data/fuzz/<target>/. New inputs and anything that failed go to
# BUILD/fuzz-runs/<target>/. Fails when a target crashed, leaked or made a
# sanitizer report.
set -uo pipefail
build=$(cd "${1:?usage: run.sh BUILD_DIR [SECONDS]}" && pwd)
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
seeds="$here/../tests/data/fuzz"
status=0
for seedDir in "$seeds"/*/; do
  target=$(basename "$seedDir")
  bin="$build/bin/$target"
  [ -x "$bin" ] || { echo "$target: not built"; status=1; continue; }
  out="$build/fuzz-runs/$target"
  mkdir -p "$out/corpus"
  if "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$out/" "$out/corpus" "$seedDir" > "$out/log.txt" 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$out/log.txt" | grep -o '[0-9]*$')
    echo "$target: ${runs:-?} runs in ${seconds} s, no finding"
  else
    echo "$target: FINDING, see $out/log.txt"; grep -m5 -E 'ERROR|SUMMARY|fuzz finding' "$out/log.txt"
    status=1
  fi
done
exit $status
