#!/usr/bin/env bash
# A throwaway PostgreSQL server for the store tests.
#   pg-cluster.sh start DIR   makes a cluster in DIR, starts it on a free port
#                             of 127.0.0.1 and writes the port to DIR/port
#   pg-cluster.sh stop DIR    stops it and removes DIR
# Run as root, the server runs as the postgres system user.
set -euo pipefail
command=$1
dir=$2
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -z "$bin" ]; then
  echo "PostgreSQL is not installed (Debian package postgresql; scripts/setup.sh installs it)" >&2
  exit 1
fi
as_server() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
case "$command" in
start)
  if [ -f "$dir/port" ] && as_server "$bin/pg_ctl" -D "$dir/data" status >/dev/null 2>&1; then
    exit 0
  fi
  rm -rf "$dir"
  mkdir -p "$dir"
  chmod 700 "$dir"
  [ "$(id -u)" -eq 0 ] && chown postgres: "$dir"
  as_server "$bin/initdb" -D "$dir/data" -A trust -U postgres -E UTF8 --locale=C --no-sync >"$dir/initdb.log" 2>&1 \
    || { cat "$dir/initdb.log" >&2; exit 1; }
  # A port that another server already holds makes the start fail; try others.
  for attempt in $(seq 1 20); do
    port=$((20000 + (RANDOM * 7 + $$ + attempt * 131) % 30000))
    if as_server "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
         -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=50" start >/dev/null 2>&1; then
      echo "$port" >"$dir/port.tmp"
      mv "$dir/port.tmp" "$dir/port"
      exit 0
    fi
  done
  echo "cannot start PostgreSQL in $dir:" >&2
  tail -n 20 "$dir/server.log" >&2 || true
  exit 1
  ;;
stop)
  if [ -d "$dir/data" ]; then
    as_server "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$dir"
  ;;
*)
  echo "usage: pg-cluster.sh start|stop DIR" >&2
  exit 2
  ;;
esac
