#!/usr/bin/env bash
# A throwaway PostgreSQL cluster on loopback for the database tests.
#
#   pg-test-server.sh start DIR PORT   creates the cluster (when missing) and starts it (when stopped)
#   pg-test-server.sh stop DIR         stops it and removes it (DIR itself only when left empty)
#   pg-test-server.sh status DIR       exit 0 when it runs
#
# The cluster runs as an unprivileged user: the caller when not root, else "postgres". It lives
# in a temporary folder that user can reach wherever DIR is; DIR keeps that folder's name.
# It has one superuser "zqtest" (password "zqtest") and the database "zqtest".
set -euo pipefail

action=${1:?usage: pg-test-server.sh start|stop|status DIR [PORT]}
dir=${2:?cluster folder missing}
port=${3:-54329}

# The server binaries: PG_BINDIR, else pg_ctl on the PATH, else Debian's versioned folders.
bindir=${PG_BINDIR:-}
if [ -z "$bindir" ] && command -v pg_ctl >/dev/null; then
  bindir=$(dirname "$(command -v pg_ctl)")
fi
if [ -z "$bindir" ]; then
  for candidate in /usr/lib/postgresql/*/bin; do
    [ -x "$candidate/pg_ctl" ] && bindir=$candidate
  done
fi
[ -n "$bindir" ] || { echo "PostgreSQL server binaries not found" >&2; exit 1; }

psql=$bindir/psql
[ -x "$psql" ] || psql=psql

as_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

cluster=$(cat "$dir/cluster" 2>/dev/null || true)

running() {
  [ -n "$cluster" ] && as_owner "$bindir/pg_ctl" -D "$cluster/data" status >/dev/null 2>&1
}

case "$action" in
  start)
    mkdir -p "$dir"
    if [ -z "$cluster" ] || [ ! -d "$cluster" ]; then
      cluster=$(mktemp -d "${TMPDIR:-/tmp}/zq-pg.XXXXXX")
      echo "$cluster" >"$dir/cluster"
    fi
    [ "$(id -u)" -eq 0 ] && chown postgres: "$cluster"
    chmod 700 "$cluster"
    if [ ! -f "$cluster/data/PG_VERSION" ]; then
      pwfile="$cluster/pw"
      echo zqtest >"$pwfile"
      [ "$(id -u)" -eq 0 ] && chown postgres: "$pwfile"
      as_owner "$bindir/initdb" -D "$cluster/data" -U zqtest --pwfile="$pwfile" -A md5 \
        -E UTF8 --locale=C >"$dir/initdb.log" 2>&1
      rm -f "$pwfile"
    fi
    if ! running; then
      as_owner "$bindir/pg_ctl" -D "$cluster/data" -l "$cluster/server.log" -w -t 60 \
        -o "-c listen_addresses=127.0.0.1 -p $port -k $cluster -c fsync=off" start >/dev/null
    fi
    PGPASSWORD=zqtest "$psql" -h 127.0.0.1 -p "$port" -U zqtest -d postgres -Atqc \
      "SELECT 1 FROM pg_database WHERE datname='zqtest'" | grep -q 1 ||
      PGPASSWORD=zqtest "$psql" -h 127.0.0.1 -p "$port" -U zqtest -d postgres -qc \
        "CREATE DATABASE zqtest" >/dev/null
    echo "PostgreSQL test server on 127.0.0.1:$port"
    ;;
  stop)
    if running; then
      as_owner "$bindir/pg_ctl" -D "$cluster/data" -m immediate -w stop >/dev/null || true
    fi
    [ -n "$cluster" ] && rm -rf "$cluster"
    rm -f "$dir/cluster" "$dir/initdb.log"
    rmdir "$dir" 2>/dev/null || true
    ;;
  status)
    running
    ;;
  *)
    echo "unknown action: $action" >&2
    exit 2
    ;;
esac
