#!/usr/bin/env bash
# Mp3 benchmarks, run against a Release build directory, on 10,000 tagged
# files in 200 folders:
#  1. the page listing them and reading every tag (warm);
#  2. reading the tags, ours and Debian's `id3v2 -l`, each one process over
#     the same files;
#  3. mass tagging the artist, ours and `id3v2 --id3v1-only -a`, on two
#     identical trees; afterwards `id3v2 -l` must list the same tags.
# Prints the medians and the ratios ours/peer.
set -euo pipefail
build=$(cd "${1:?usage: run.sh BUILD_DIR}" && pwd)
bin="$build/bin"
runs=${RUNS:-5}
count=${COUNT:-10000}
folders=${FOLDERS:-200}

if ! command -v id3v2 > /dev/null; then
  echo "Debian's id3v2 is missing (apt-get install id3v2)" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bin/mp3_tag_tool" make "$work/a" "$count" "$folders"
cp -a "$work/a" "$work/b"
(cd "$work/a" && find . -name '*.mp3' | sort) > "$work/list"
mapfile -t files < "$work/list"

QT_QPA_PLATFORM=offscreen "$bin/mp3_page_bench" "$work/a"

now_us() { echo $(( $(date +%s%N) / 1000 )); }
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
timed() {   # timed VAR COMMAND...: appends the microseconds taken to array VAR
  local -n into=$1; shift
  local start
  start=$(now_us)
  "$@" > "$work/out" 2> "$work/err"
  into+=($(( $(now_us) - start )))
}
report() {   # report WHAT OURS_ARRAY PEER_ARRAY
  local -n o=$2 p=$3
  awk -v what="$1" -v o="$(printf '%s\n' "${o[@]}" | median)" -v t="$(printf '%s\n' "${p[@]}" | median)" 'BEGIN {
    printf "%s (median of '"$runs"' runs, process start included):\n", what
    printf "  ours            %8.1f ms\n  id3v2           %8.1f ms\n  ratio ours/peer %8.3f\n", o / 1000, t / 1000, o / t
  }'
}

read_ours=() read_peer=()
cd "$work/a"
id3v2 -l "${files[@]}" > /dev/null   # warm the cache
for run in $(seq "$runs"); do
  timed read_ours "$bin/mp3_tag_tool" read "${files[@]}"
  [ "$(cat "$work/out")" -eq "$count" ] || { echo "ours read $(cat "$work/out") tags of $count" >&2; exit 1; }
  timed read_peer id3v2 -l "${files[@]}"
  [ "$(grep -c '^id3v1 tag info for' "$work/out")" -eq "$count" ] || { echo "id3v2 listed another count" >&2; exit 1; }
done
report "reading the tags of $count files" read_ours read_peer

mass_ours=() mass_peer=()
for run in $(seq "$runs"); do
  cd "$work/a"
  timed mass_ours "$bin/mp3_tag_tool" mass "Mass Artist" "${files[@]}"
  [ "$(cat "$work/out")" -eq "$count" ] || { echo "ours tagged $(cat "$work/out") of $count" >&2; exit 1; }
  cd "$work/b"
  timed mass_peer id3v2 --id3v1-only -a "Mass Artist" "${files[@]}"
done
report "mass tagging the artist of $count files" mass_ours mass_peer
(cd "$work/a" && id3v2 -l "${files[@]}") > "$work/tags-a"
(cd "$work/b" && id3v2 -l "${files[@]}") > "$work/tags-b"
if ! cmp -s "$work/tags-a" "$work/tags-b"; then
  echo "the tags differ after mass tagging" >&2
  diff "$work/tags-a" "$work/tags-b" | head >&2
  exit 1
fi
if (cd "$work/a" && find . -name '*.mp3' ! -size 4298c | grep -q .); then
  echo "a file changed length" >&2
  exit 1
fi
echo "  tags identical afterwards (id3v2 -l of both trees)"
