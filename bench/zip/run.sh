#!/usr/bin/env bash
# Zip benchmarks, run against a Release build directory, side by side with
# Debian's zip and unzip on the same files in the same run:
#  1. creating an archive at the default level (6) of 10,000 small text files
#     (about 150 MB) and of three 256 MB files (text, random, zeros), against
#     `zip -q -r -6`: time, ratio ours/zip and archive sizes; both archives
#     are checked with `unzip -t` and ours is extracted and compared with
#     `diff -r`;
#  2. extracting zip's archive with both tools, against `unzip -q -o -d`;
#     the two results are compared with `diff -r`;
#  3. the Zip page opening an archive of 100,000 entries.
# Prints medians of RUNS runs (process start included).
set -euo pipefail
build=$(cd "${1:?usage: run.sh BUILD_DIR}" && pwd)
tool="$build/bin/zip_bench_tool"
runs=${RUNS:-4}   # even, so that each tool goes first as often

for peer in zip unzip; do
  command -v "$peer" > /dev/null || { echo "Debian's $peer is missing (apt-get install $peer)" >&2; exit 1; }
done

QT_QPA_PLATFORM=offscreen "$build/bin/zip_page_bench"

work=$(mktemp -d "${BENCH_DIR:-/tmp}/ardl-zip-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Text that deflates like prose: words of a fixed vocabulary in a seeded order.
make_text() { # bytes seed file
  /usr/bin/python3 - "$1" "$2" "$3" <<'PY'
import random, sys
size, seed, path = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
rng = random.Random(seed)
vocabulary = [''.join(rng.choice('etaoinshrdlucmfwypvbgkqjxz') for _ in range(rng.randint(2, 11)))
              for _ in range(5000)]
with open(path, 'w') as out:
    written = 0
    while written < size:
        line = ' '.join(rng.choices(vocabulary, k=rng.randint(4, 18))) + '\n'
        out.write(line)
        written += len(line)
    out.truncate(size)
PY
}

echo "making the test data in $work ..."
mkdir -p "$work/data/small" "$work/data/big"
make_text $((10000 * 15360)) 1 "$work/text-small"
(cd "$work/data/small" && split -b 15360 -a 4 -d "$work/text-small" part && rm -f "$work/text-small")
make_text $((256 << 20)) 2 "$work/data/big/text.txt"
head -c $((256 << 20)) /dev/urandom > "$work/data/big/random.bin"
head -c $((256 << 20)) /dev/zero > "$work/data/big/zeros.bin"
sync

now_us() { echo $(( $(date +%s%N) / 1000 )); }
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
size_of() { stat -c %s "$1"; }

report() { # label ours_us peer_us peer_name
  awk -v l="$1" -v o="$2" -v t="$3" -v p="$4" 'BEGIN {
    printf "%s (median of '"$runs"' runs):\n", l
    printf "  ours            %9.1f ms\n", o / 1000
    printf "  %-15s %9.1f ms\n", p, t / 1000
    printf "  ratio ours/peer %9.2f\n", o / t
  }'
}

bench_create() { # dataset
  local set=$1 ours=() theirs=() start
  for run in $(seq "$runs"); do
    rm -f "$work/ours.zip" "$work/peer.zip"
    if [ $((run % 2)) -eq 1 ]; then
      start=$(now_us); (cd "$work/data" && "$tool" create "$work/ours.zip" 6 "$set"); ours+=($(( $(now_us) - start )))
      start=$(now_us); (cd "$work/data" && zip -q -r -6 "$work/peer.zip" "$set"); theirs+=($(( $(now_us) - start )))
    else
      start=$(now_us); (cd "$work/data" && zip -q -r -6 "$work/peer.zip" "$set"); theirs+=($(( $(now_us) - start )))
      start=$(now_us); (cd "$work/data" && "$tool" create "$work/ours.zip" 6 "$set"); ours+=($(( $(now_us) - start )))
    fi
  done
  unzip -tq "$work/ours.zip" > /dev/null
  unzip -tq "$work/peer.zip" > /dev/null
  rm -rf "$work/check" && mkdir "$work/check"
  unzip -q -o -d "$work/check" "$work/ours.zip"
  diff -r "$work/data/$set" "$work/check/$set" > /dev/null || { echo "our archive of $set does not give the files back" >&2; exit 1; }
  rm -rf "$work/check"
  report "create, $set" "$(printf '%s\n' "${ours[@]}" | median)" "$(printf '%s\n' "${theirs[@]}" | median)" "zip -r -6"
  awk -v o="$(size_of "$work/ours.zip")" -v t="$(size_of "$work/peer.zip")" 'BEGIN {
    printf "  archive sizes: ours %d, zip %d bytes (%+.2f%%)\n", o, t, (o / t - 1) * 100
  }'
}

# Each run extracts into fresh folders, removed only after the last run:
# creating files right after removing many makes the file system look for
# free inodes the long way, and would slow whichever tool came next.
bench_extract() { # dataset (extracts zip's archive of it)
  local set=$1 ours=() theirs=() start
  rm -f "$work/peer.zip"
  (cd "$work/data" && zip -q -r -6 "$work/peer.zip" "$set")
  rm -rf "$work/out" && mkdir "$work/out"
  sync
  for run in $(seq "$runs"); do
    mkdir "$work/out/ours$run" "$work/out/peer$run"
    if [ $((run % 2)) -eq 1 ]; then
      start=$(now_us); "$tool" extract "$work/peer.zip" "$work/out/ours$run"; ours+=($(( $(now_us) - start )))
      start=$(now_us); unzip -q -o -d "$work/out/peer$run" "$work/peer.zip"; theirs+=($(( $(now_us) - start )))
    else
      start=$(now_us); unzip -q -o -d "$work/out/peer$run" "$work/peer.zip"; theirs+=($(( $(now_us) - start )))
      start=$(now_us); "$tool" extract "$work/peer.zip" "$work/out/ours$run"; ours+=($(( $(now_us) - start )))
    fi
    diff -r "$work/out/ours$run" "$work/out/peer$run" > /dev/null || { echo "extractions of $set differ" >&2; exit 1; }
  done
  rm -rf "$work/out"
  report "extract all, $set" "$(printf '%s\n' "${ours[@]}" | median)" "$(printf '%s\n' "${theirs[@]}" | median)" "unzip -o -d"
}

echo "cores: $(nproc)"
bench_create small
bench_create big
bench_extract small
bench_extract big
