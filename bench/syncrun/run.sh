#!/usr/bin/env bash
# Synchronisation one way, ours side by side with the peers on the same trees:
#   "Dir"  (a) 1,000 files of 1-10 MiB, (b) 20,000 files of 1-16 KiB in 1,000
#          folders, copied into an empty folder; peer `rsync -rtW SRC/ DST/`.
#   "Ftp"  200 files of 1 MiB down from and up to pyftpdlib on the loopback;
#          peer `lftp -c 'mirror'` and `mirror -R` over the same server.
# Each result is checked with `diff -r` and the same sizes and times; prints
# the median times and the ratio ours/peer. Neither side syncs to disk; the
# disk is synced (untimed) before every run so each starts alike.
# ONLY="dir ftp list" chooses the parts run (all by default).
set -euo pipefail
build=$(cd "${1:?usage: run.sh BUILD_DIR}" && pwd)
ours="$build/bin/bench_syncrun"
runs=${RUNS:-5}
only=${ONLY:-dir ftp list}
wanted() { case " $only " in *" $1 "*) return 0 ;; *) return 1 ;; esac; }
work=$(mktemp -d)
server=
cleanup() { [ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
seconds() { local s e; s=$(date +%s.%N); "$@" >/dev/null; e=$(date +%s.%N); awk -v s="$s" -v e="$e" 'BEGIN {printf "%.3f\n", e - s}'; }
# Relative path, size and modification second of every file below $1.
facts() { (cd "$1" && find . -type f -printf '%P %s %T@\n' | LC_ALL=C sort); }
same_tree() {
  diff -r "$1" "$2" >/dev/null || { echo "contents differ: $1 $2"; return 1; }
  [ "$(facts "$1")" = "$(facts "$2")" ] || { echo "sizes or times differ: $1 $2"; diff <(facts "$1") <(facts "$2") | head -3; return 1; }
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }

# make_tree ROOT FILES FOLDERS MIN MAX: files of MIN-MAX bytes, spread over folders.
make_tree() {
  python3 - "$@" <<'PY'
import os, random, sys
root, files, folders, lo, hi = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5])
rnd = random.Random(7)
block = os.urandom(1 << 20)
for i in range(files):
    d = os.path.join(root, "folder %04d" % (i % folders))
    os.makedirs(d, exist_ok=True)
    p = os.path.join(d, "file %05d.bin" % i)
    n = rnd.randint(lo, hi)
    with open(p, "wb") as f:
        for at in range(0, n, len(block)):
            f.write(block[: min(len(block), n - at)])
    os.utime(p, (1600000000 + i, 1600000000 + i))
PY
}

# dir_case LABEL SRC KEEP: a warm-up pair, then RUNS timed pairs, each into a
# fresh empty folder. With KEEP the copies stay until the case ends: ext4
# makes new files slowly right after many were deleted, which would weigh
# on whichever tool runs next. Which tool goes first alternates, so neither
# always meets what the other left behind.
dir_case() {
  local label=$1 src=$2 keep=$3 t_ours=() t_peer=() i
  run_ours() {
    t=$(seconds "$ours" dir "$src" "$work/o$i"); [ "$i" -gt 0 ] && t_ours+=("$t")
    same_tree "$src" "$work/o$i"
    sync
  }
  run_peer() {
    t=$(seconds rsync -rtW "$src/" "$work/p$i/"); [ "$i" -gt 0 ] && t_peer+=("$t")
    same_tree "$src" "$work/p$i"
    sync
  }
  for i in $(seq 0 "$runs"); do
    mkdir "$work/o$i" "$work/p$i"; sync
    if [ $((i % 2)) -eq 0 ]; then run_ours; run_peer; else run_peer; run_ours; fi
    [ "$keep" = keep ] || rm -rf "$work/o$i" "$work/p$i"
  done
  rm -rf "$work"/o* "$work"/p*
  local a b
  a=$(printf '%s\n' "${t_ours[@]}" | median); b=$(printf '%s\n' "${t_peer[@]}" | median)
  printf '%-28s ours %7.3f s  rsync %7.3f s  ratio %s\n' "$label" "$a" "$b" "$(ratio "$a" "$b")"
}

if wanted dir; then
  make_tree "$work/big" 1000 10 1048576 10485760
  dir_case "Dir 1,000 files 1-10 MiB" "$work/big" drop
  rm -rf "$work/big"
  make_tree "$work/small" 20000 1000 1024 16384
  dir_case "Dir 20,000 files 1-16 KiB" "$work/small" keep
  rm -rf "$work/small"
fi

if wanted ftp; then
  # FTP: the server's root holds src/ (to download); uploads go to fresh folders.
  mkdir -p "$work/root"
  make_tree "$work/root/src" 200 1 1048576 1048576
  make_tree "$work/up" 200 1 1048576 1048576
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  /usr/bin/python3 -m pyftpdlib -i 127.0.0.1 -p "$port" -d "$work/root" -u bench -P bench -w >/dev/null 2>&1 &
  server=$!
  for _ in $(seq 100); do
    python3 -c "import socket; socket.create_connection(('127.0.0.1', $port)).close()" 2>/dev/null && break
    sleep 0.1
  done
  lftp_run() { lftp -c "open -u bench,bench -p $port 127.0.0.1; $1"; }

  down_ours=() down_peer=() up_ours=() up_peer=()
  for i in $(seq "$runs"); do
    rm -rf "$work/down"; mkdir "$work/down"
    down_ours+=("$(seconds "$ours" ftp-down "$port" bench bench /src "$work/down")")
    same_tree "$work/root/src" "$work/down"
    rm -rf "$work/down"
    down_peer+=("$(seconds lftp_run "mirror /src '$work/down'")")
    same_tree "$work/root/src" "$work/down"

    mkdir "$work/root/ours$i" "$work/root/peer$i"
    up_ours+=("$(seconds "$ours" ftp-up "$port" bench bench "/ours$i" "$work/up")")
    same_tree "$work/up" "$work/root/ours$i"
    up_peer+=("$(seconds lftp_run "mirror -R '$work/up' /peer$i")")
    same_tree "$work/up" "$work/root/peer$i"
    rm -rf "$work/root/ours$i" "$work/root/peer$i"
  done
  for dir in down up; do
    o="${dir}_ours[@]"; p="${dir}_peer[@]"
    a=$(printf '%s\n' "${!o}" | median); b=$(printf '%s\n' "${!p}" | median)
    printf '%-28s ours %7.3f s  lftp  %7.3f s  ratio %s\n' "Ftp 200 files of 1 MiB $dir" "$a" "$b" "$(ratio "$a" "$b")"
  done

fi

if wanted list; then
  "$build/bin/sync_page_bench" 2>/dev/null
fi
