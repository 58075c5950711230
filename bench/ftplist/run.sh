#!/usr/bin/env bash
# Lists a tree of 10,000 files in 500 folders from an FTP server on the
# loopback (Debian's pyftpdlib) with our remote listing and with
# `lftp -c 'open ...; find -l /'`; checks that both list the same files and
# prints the median times and the ratio.
set -euo pipefail
build=$(cd "${1:?usage: run.sh BUILD_DIR}" && pwd)
ours="$build/bin/bench_ftplist"
runs=${RUNS:-5}
work=$(mktemp -d)
server=
cleanup() { [ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

# 25 folders of 19 sub-folders: 500 folders, 20 files in each.
python3 - "$work/root" <<'PY'
import os, sys
root = sys.argv[1]
n = 0
for a in range(25):
    for b in range(20):
        d = os.path.join(root, "dir %02d" % a) if b == 0 else os.path.join(root, "dir %02d" % a, "sub %02d" % b)
        os.makedirs(d, exist_ok=True)
        for f in range(20):
            with open(os.path.join(d, "file %05d.txt" % n), "w") as out:
                out.write("x" * (n % 100))
            n += 1
PY

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
/usr/bin/python3 -m pyftpdlib -i 127.0.0.1 -p "$port" -d "$work/root" -u bench -P bench >/dev/null 2>&1 &
server=$!
for _ in $(seq 100); do
  python3 -c "import socket; socket.create_connection(('127.0.0.1', $port)).close()" 2>/dev/null && break
  sleep 0.1
done

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
peer() { lftp -c "open -u bench,bench -p $port 127.0.0.1; find -l /"; }

# 30 listings of one folder on one session: a stall before each data
# connection would show here.
peer30() {
  local cmds="open -u bench,bench -p $port 127.0.0.1"
  for _ in $(seq 30); do cmds="$cmds; cls -1 '/dir 00/'"; done
  lftp -c "$cmds"
}
timed() { s=$(date +%s.%N); "$@" >/dev/null; e=$(date +%s.%N); awk -v s="$s" -v e="$e" 'BEGIN {printf "%.3f\n", e - s}'; }

"$ours" 127.0.0.1 "$port" bench bench 1 "$work/ours.txt" >/dev/null   # warm up
out=$("$ours" 127.0.0.1 "$port" bench bench "$runs" "$work/ours.txt")
t_ours=$(echo "$out" | sed -n 1p)
t_ours30=$(echo "$out" | sed -n 2p)
t_peer=$(for _ in $(seq "$runs"); do timed peer; done | median)
t_peer30=$(for _ in $(seq "$runs"); do timed peer30; done | median)

# lftp: "perm owner/group size date time /path"; folders end with "/".
peer | grep -v '/$' | sed 's/^.* \(\/.*\)$/\1/' | LC_ALL=C sort > "$work/peer.txt"
LC_ALL=C sort -o "$work/ours.txt" "$work/ours.txt"
if ! cmp -s "$work/ours.txt" "$work/peer.txt"; then
  echo "different results (ours $(wc -l < "$work/ours.txt"), lftp $(wc -l < "$work/peer.txt"))"
  diff "$work/ours.txt" "$work/peer.txt" | head -5
  exit 1
fi
printf '%-14s %6d files  ours %6.3f s  lftp %6.3f s  ratio %.2f\n' "10000 files" \
  "$(wc -l < "$work/ours.txt")" "$t_ours" "$t_peer" "$(awk -v a="$t_ours" -v b="$t_peer" 'BEGIN {print a / b}')"
printf '%-14s %6d calls  ours %6.3f s  lftp %6.3f s  ratio %.2f\n' "30 listings" 30 \
  "$t_ours30" "$t_peer30" "$(awk -v a="$t_ours30" -v b="$t_peer30" 'BEGIN {print a / b}')"
