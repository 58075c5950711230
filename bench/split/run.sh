#!/usr/bin/env bash
# Split benchmarks, run against a Release build directory, on one file of
# SIZE_MB megabytes (1024 by default) in parts of 1456128 bytes:
#  1. splitting it, by us (as the Split page does) and by `split -b`;
#  2. rebuilding it, by the merge program we build into the first part and
#     by `cat` of the parts.
# Same run, warm cache, alternating which goes first; both results are
# checked with cmp and sha256sum. Prints the medians and the ratios ours/peer.
set -euo pipefail
build=$(cd "${1:?usage: run.sh BUILD_DIR}" && pwd)
tool="$build/bin/split_tool"
runs=${RUNS:-5}
size_mb=${SIZE_MB:-1024}
part=1456128

work=$(mktemp -d "${BENCH_TMP:-/tmp}/split-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
head -c "$((size_mb * 1048576))" /dev/urandom > "$work/data.bin"
want=$(sha256sum < "$work/data.bin" | cut -d' ' -f1)

now_us() { echo $(( $(date +%s%N) / 1000 )); }
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# ---- splitting ----------------------------------------------------------
split_ours() {
  local start; start=$(now_us)
  "$tool" "$work/data.bin" "$work/ours" "$part" > /dev/null
  split_us_ours+=($(( $(now_us) - start )))
}
split_peer() {
  local start; start=$(now_us)
  split -b "$part" -d -a 5 "$work/data.bin" "$work/peer/data"
  split_us_peer+=($(( $(now_us) - start )))
}
check_split() {
  local n; n=$(ls "$work/peer" | wc -l)
  [ "$(ls "$work/ours"/data*.kos | wc -l)" -eq "$n" ] || { echo "part counts differ" >&2; exit 1; }
  for k in $(seq 0 $((n - 1))); do
    cmp -s "$work/ours/data$k.kos" "$work/peer/data$(printf %05d "$k")" || { echo "part $k differs" >&2; exit 1; }
  done
  local got; got=$(for k in $(seq 0 $((n - 1))); do cat "$work/ours/data$k.kos"; done | sha256sum | cut -d' ' -f1)
  [ "$got" = "$want" ] || { echo "our parts do not add up to the source" >&2; exit 1; }
}

split_us_ours=() split_us_peer=()
for run in $(seq "$runs"); do
  rm -rf "$work/ours" "$work/peer"; mkdir "$work/ours" "$work/peer"; sync
  if [ $((run % 2)) -eq 1 ]; then split_ours; sync; split_peer; else split_peer; sync; split_ours; fi
  [ "$run" -eq 1 ] && check_split
  sync
done

# ---- rebuilding ---------------------------------------------------------
rm -rf "$work/ours" "$work/peer"; mkdir "$work/ours" "$work/peer"
"$tool" "$work/data.bin" "$work/ours" "$part" --exe > /dev/null
split -b "$part" -d -a 5 "$work/data.bin" "$work/peer/data"
merge_ours() {
  local start; start=$(now_us)
  "$work/ours/data-merge" > /dev/null
  merge_us_ours+=($(( $(now_us) - start )))
}
merge_peer() {
  local start; start=$(now_us)
  cat "$work/peer"/data[0-9]* > "$work/peer.bin"
  merge_us_peer+=($(( $(now_us) - start )))
}
merge_us_ours=() merge_us_peer=()
for run in $(seq "$runs"); do
  rm -f "$work/ours/data.bin" "$work/peer.bin"; sync
  if [ $((run % 2)) -eq 1 ]; then merge_ours; sync; merge_peer; else merge_peer; sync; merge_ours; fi
  cmp "$work/ours/data.bin" "$work/data.bin"
  cmp "$work/peer.bin" "$work/data.bin"
  [ "$(sha256sum < "$work/ours/data.bin" | cut -d' ' -f1)" = "$want" ] || { echo "rebuilt file differs" >&2; exit 1; }
  sync
done

report() {
  awk -v o="$2" -v t="$3" -v what="$1" -v peer="$4" 'BEGIN {
    printf "%s (median of '"$runs"' runs, process start included):\n", what
    printf "  ours           %9.1f ms\n", o / 1000
    printf "  %-14s %9.1f ms\n", peer, t / 1000
    printf "  ratio ours/peer %8.2f\n", o / t
  }'
}
report "split of ${size_mb} MiB into $part-byte parts" \
  "$(printf '%s\n' "${split_us_ours[@]}" | median)" "$(printf '%s\n' "${split_us_peer[@]}" | median)" "split -b"
report "rebuild of ${size_mb} MiB from its parts" \
  "$(printf '%s\n' "${merge_us_ours[@]}" | median)" "$(printf '%s\n' "${merge_us_peer[@]}" | median)" "cat"
