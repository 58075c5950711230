#!/usr/bin/env bash
# Rename benchmarks, run against a Release build directory:
#  1. the rule engine and the preview on 100,000 names (Google Benchmark),
#     and the page listing 100,000 files and previewing them;
#  2. one substitution applied to 10,000 files by us and by Debian's `rename`
#     (File::Rename) on two identical trees, same run; both must leave the
#     same names. Prints the medians and the ratio ours/peer.
set -euo pipefail
build=$(cd "${1:?usage: run.sh BUILD_DIR}" && pwd)
bin="$build/bin"
runs=${RUNS:-5}
count=${COUNT:-10000}

peer=$(command -v file-rename || command -v rename || true)
if [ -z "$peer" ]; then
  echo "Debian's rename tool is missing (apt-get install rename)" >&2
  exit 1
fi

"$bin/rename_bench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
QT_QPA_PLATFORM=offscreen "$bin/rename_page_bench"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_tree() {
  mkdir -p "$1"
  (cd "$1" && seq -f 'file_abc_%06g' 1 "$count" | while read -r n; do printf '%s' "$n" > "$n.txt"; done)
}

now_us() { echo $(( $(date +%s%N) / 1000 )); }

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

run_ours() {
  local start
  start=$(now_us)
  "$bin/rename_apply_tool" "$work/a" abc XYZ "$work/ours.log" > /dev/null
  ours+=($(( $(now_us) - start )))
}

run_peer() {
  local start
  start=$(now_us)
  (cd "$work/b" && "$peer" 's/abc/XYZ/' -- *)
  theirs+=($(( $(now_us) - start )))
}

ours=() theirs=()
for run in $(seq "$runs"); do
  rm -rf "$work/a" "$work/b"
  make_tree "$work/a"
  cp -a "$work/a" "$work/b"
  sync

  # Alternate which tool goes first, so neither always meets the other's
  # journal writes.
  if [ $((run % 2)) -eq 1 ]; then
    run_ours; run_peer
  else
    run_peer; run_ours
  fi

  if ! diff -r "$work/a" "$work/b" > /dev/null; then
    echo "results differ between ours and $peer" >&2
    exit 1
  fi
  if [ "$(wc -l < "$work/ours.log")" -ne "$count" ]; then
    echo "the log does not hold one line per file" >&2
    exit 1
  fi
done

ours_ms=$(printf '%s\n' "${ours[@]}" | median)
theirs_ms=$(printf '%s\n' "${theirs[@]}" | median)
echo "apply of one substitution over $count files (median of $runs runs, process start included):"
awk -v o="$ours_ms" -v t="$theirs_ms" -v peer="$(basename "$peer")" 'BEGIN {
  printf "  ours (with log) %8.1f ms\n", o / 1000
  printf "  %-15s %8.1f ms\n", peer, t / 1000
  printf "  ratio ours/peer %8.2f\n", o / t
}'
