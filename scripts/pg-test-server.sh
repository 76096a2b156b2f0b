#!/usr/bin/env bash
# A throwaway PostgreSQL cluster on loopback for the database tests.
#
#   pg-test-server.sh start DIR PORT   creates the cluster in DIR (when missing) and starts it
#   pg-test-server.sh stop DIR         stops it and removes DIR
#   pg-test-server.sh status DIR       exit 0 when it runs
#
# The cluster runs as an unprivileged user: the caller when not root, else "postgres".
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

case "$action" in
  start)
    mkdir -p "$dir"
    [ "$(id -u)" -eq 0 ] && chown postgres: "$dir"
    chmod 700 "$dir"
    if [ ! -f "$dir/data/PG_VERSION" ]; then
      pwfile="$dir/pw"
      echo zqtest >"$pwfile"
      [ "$(id -u)" -eq 0 ] && chown postgres: "$pwfile"
      as_owner "$bindir/initdb" -D "$dir/data" -U zqtest --pwfile="$pwfile" -A md5 \
        -E UTF8 --locale=C >"$dir/initdb.log" 2>&1
      rm -f "$pwfile"
    fi
    as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
      -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=off" start >/dev/null
    PGPASSWORD=zqtest "$psql" -h 127.0.0.1 -p "$port" -U zqtest -d postgres -Atqc \
      "SELECT 1 FROM pg_database WHERE datname='zqtest'" | grep -q 1 ||
      PGPASSWORD=zqtest "$psql" -h 127.0.0.1 -p "$port" -U zqtest -d postgres -qc \
        "CREATE DATABASE zqtest" >/dev/null
    echo "PostgreSQL test server on 127.0.0.1:$port"
    ;;
  stop)
    if [ -f "$dir/data/postmaster.pid" ]; then
      as_owner "$bindir/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null || true
    fi
    rm -rf "$dir"
    ;;
  status)
    as_owner "$bindir/pg_ctl" -D "$dir/data" status >/dev/null
    ;;
  *)
    echo "unknown action: $action" >&2
    exit 2
    ;;
esac
