#!/usr/bin/env bash
# Scans a generated tree of 100,000 files in 2,000 folders with our folder
# scan and with `find`, warm cache, checks both list the same files with the
# same sizes and times (ours in its own order), and prints the median times
# and the ratio ours/find.
# Then the memory the collection takes and the list sort times.
set -euo pipefail
build=$(cd "${1:?usage: run.sh BUILD_DIR}" && pwd)
bench="$build/bin/ardl_scan_bench"
runs=${RUNS:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tree="$work/tree"

"$bench" generate "$tree"

ms() { echo $(( ($(date +%s%N) - $1) / 1000000 )); }
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

# Same result: the same paths, sizes and whole-second times, and ours in its
# own order (each folder's files, then its sub-folders, by name), which for
# this tree of lower-case names is the plain sorted order of the paths.
"$bench" scan "$tree" > "$work/ours.txt"
find "$tree" -type f -printf '%s %T@ %p\n' | awk '{ split($2, t, "."); print $1, t[1], $3 }' \
  | LC_ALL=C sort -k3 > "$work/find.txt"
if ! cmp -s "$work/ours.txt" "$work/find.txt"; then
  echo "FAIL: the scan and find differ"; diff "$work/ours.txt" "$work/find.txt" | head; exit 1
fi
count=$(wc -l < "$work/ours.txt")

ours=(); peer=()
for _ in $(seq "$runs"); do
  t=$(date +%s%N); "$bench" scan "$tree" > /dev/null; ours+=("$(ms "$t")")
  t=$(date +%s%N); find "$tree" -type f -printf '%s %T@ %p\n' > /dev/null; peer+=("$(ms "$t")")
done
o=$(printf '%s\n' "${ours[@]}" | median)
p=$(printf '%s\n' "${peer[@]}" | median)
echo "scan of $count files: ours $o ms, find $p ms, ratio ours/find $(awk -v o="$o" -v p="$p" 'BEGIN { printf "%.2f", o / p }')"
"$bench" memory "$tree"
"$bench" sort 100000
