#!/usr/bin/env bash
# Runs every benchmark script under bench/ against the Release build given
# as the first argument. Each script prints its figures and the ratio to
# its peer tool, and fails when the results of the two differ.
set -euo pipefail
build=$(cd "${1:?usage: run-all.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
status=0
for script in "$here"/*/run.sh; do
  [ -e "$script" ] || continue
  echo "== $(basename "$(dirname "$script")")"
  "$script" "$build" || status=1
done
exit $status
