#!/usr/bin/env bash
# The employee import and the annual update of 10,000 employees on both backends, one run:
# first on the SQLite files, then on a throw-away local PostgreSQL cluster (as the tests make
# it). Run by hand from the build folder's parent: bench/server-bench.sh [build] [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
state=$(mktemp /tmp/tesvane-bench-cluster.XXXXXX)
trap 'bash "$here/../scripts/pg-test-cluster.sh" stop "$state"' EXIT
bash "$here/../scripts/pg-test-cluster.sh" start "$state" "$build/app/tesvane-cli"
export QT_QPA_PLATFORM=offscreen
for backend in sqlite server; do
    echo "== $backend"
    if [ "$backend" = server ]; then export TESVANE_TEST_CLUSTER=$state; fi
    "$build/bench/bench_employees" "$runs" | grep '^import'
    "$build/bench/bench_annual_update" "$runs"
done
