#!/usr/bin/env bash
# Compares two generated trees of 100,000 files with our compare run and with
# `rsync -rt -n -i`, unchanged and with 1% of the files changed; checks that
# both find the same differences and prints the median times and the ratio.
set -euo pipefail
build=$(cd "${1:?usage: run.sh BUILD_DIR}" && pwd)
ours="$build/bin/bench_compare"
runs=${RUNS:-5}
files=${FILES:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# FILES files in folders of 100, two levels deep.
python3 - "$work/src" "$files" <<'PY'
import os, sys
root, n = sys.argv[1], int(sys.argv[2])
for i in range(n):
    d = os.path.join(root, "d%03d" % (i // 10000), "e%03d" % (i // 100 % 100))
    if i % 100 == 0:
        os.makedirs(d, exist_ok=True)
    p = os.path.join(d, "file %06d.txt" % i)
    with open(p, "w") as f:
        f.write("x" * (i % 500))
    os.utime(p, (1700000000 + i, 1700000000 + i))
PY
cp -a "$work/src" "$work/dst"

# rsync lists the files it would send: ">f" lines of its itemised output.
peer_diffs() {
  rsync -rt -n -i "$work/src/" "$work/dst/" | sed -n 's/^>f[^ ]* //p' | LC_ALL=C sort
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

time_peer() {
  for _ in $(seq "$runs"); do
    s=$(date +%s.%N); rsync -rt -n -i "$work/src/" "$work/dst/" >/dev/null; e=$(date +%s.%N)
    awk -v s="$s" -v e="$e" 'BEGIN {printf "%.3f\n", e - s}'
  done | median
}

compare_case() {
  local label=$1
  "$ours" "$work/src" "$work/dst" 1 "$work/ours.txt" >/dev/null   # warm the cache
  local t_ours t_peer
  t_ours=$("$ours" "$work/src" "$work/dst" "$runs" "$work/ours.txt")
  t_peer=$(time_peer)
  LC_ALL=C sort -o "$work/ours.txt" "$work/ours.txt"
  peer_diffs > "$work/peer.txt"
  if ! cmp -s "$work/ours.txt" "$work/peer.txt"; then
    echo "$label: different results (ours $(wc -l < "$work/ours.txt"), rsync $(wc -l < "$work/peer.txt"))"
    diff "$work/ours.txt" "$work/peer.txt" | head -5
    return 1
  fi
  printf '%-14s %6d differences  ours %6.3f s  rsync %6.3f s  ratio %.2f\n' \
    "$label" "$(wc -l < "$work/ours.txt")" "$t_ours" "$t_peer" "$(awk -v a="$t_ours" -v b="$t_peer" 'BEGIN {print a / b}')"
}

compare_case "unchanged"

# 1%: a third grow, a third get a new time, a third are new on the left.
python3 - "$work/src" "$files" <<'PY'
import os, sys
root, n = sys.argv[1], int(sys.argv[2])
for k, i in enumerate(range(0, n, 100)):
    d = os.path.join(root, "d%03d" % (i // 10000), "e%03d" % (i // 100 % 100))
    p = os.path.join(d, "file %06d.txt" % i)
    if k % 3 == 0:
        with open(p, "a") as f:
            f.write("more")
        os.utime(p, (1700000000 + i, 1700000000 + i))
    elif k % 3 == 1:
        os.utime(p, (1600000000 + i, 1600000000 + i))
    else:
        q = os.path.join(d, "new %06d.txt" % i)
        with open(q, "w") as f:
            f.write("new")
PY
compare_case "1% changed"
