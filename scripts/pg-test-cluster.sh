#!/usr/bin/env bash
# A throw-away PostgreSQL cluster for the tests: private port and socket folder in a temporary
# folder, no password, fsync off. Run as root, the server runs as the user postgres.
#   pg-test-cluster.sh start STATEFILE CLI   makes and starts it, lays out the database
#                                            tesvane_template (with the sample company) with
#                                            CLI, and writes the cluster's folder to STATEFILE
#   pg-test-cluster.sh stop STATEFILE        stops it and removes the folder
set -euo pipefail
bin=/usr/lib/postgresql/15/bin
action=$1
state=$2

as_owner() {
    if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

if [ "$action" = stop ]; then
    [ -f "$state" ] || exit 0
    dir=$(cat "$state")
    if [ -d "$dir/data" ]; then as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null || true; fi
    rm -rf "$dir" "$state"
    exit 0
fi

cli=$3
[ -f "$state" ] && bash "$0" stop "$state"
dir=$(mktemp -d /tmp/tesvane-pg.XXXXXX)
chmod 755 "$dir"
owner=$(id -un)
if [ "$(id -u)" -eq 0 ]; then chown postgres "$dir"; owner=postgres; fi
as_owner "$bin/initdb" -D "$dir/data" -U "$owner" -A trust -E UTF8 --locale=C.UTF-8 --no-sync >"$dir/initdb.log"
for attempt in 1 2 3 4 5; do
    port=$(( 20000 + RANDOM % 30000 ))
    if as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
        -o "-p $port -k $dir -c listen_addresses='' -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200" \
        start >/dev/null; then
        echo "$owner $port" >"$dir/address"
        echo "$dir" >"$state"
        "$bin/createdb" -h "$dir" -p "$port" -U "$owner" tesvane_template
        "$cli" server init "postgresql://$owner@/tesvane_template?host=$dir&port=$port" --with-sample >/dev/null
        exit 0
    fi
done
echo "pg-test-cluster: the server would not start; see $dir/server.log" >&2
exit 1
