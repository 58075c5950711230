#!/usr/bin/env bash
# Start-up time and memory at rest of the main window, under a real X server
# (Xvfb) when one can be started, else offscreen. Median of five runs.
set -euo pipefail
build=${1:?usage: run.sh BUILD_DIR}
bin="$build/bin/startup_bench"
export XDG_CONFIG_HOME=$(mktemp -d) XDG_RUNTIME_DIR=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"' EXIT
run() {
  if command -v xvfb-run >/dev/null; then
    xvfb-run -a -s "-screen 0 1280x800x24" "$bin"
  else
    QT_QPA_PLATFORM=offscreen "$bin"
  fi
}
for i in 1 2 3 4 5; do run; done | sort | awk '
  /window load/ { w[++n] = $0 }
  /memory/ { m[++k] = $0 }
  END { print w[int((n+1)/2)]; print m[int((k+1)/2)] }'
