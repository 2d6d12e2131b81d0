#!/usr/bin/env bash
# A PostgreSQL server of the tests' own: a cluster in a folder below /tmp, reached only through a
# Unix socket in that folder (no TCP port, so it meets no other server on the machine), run as an
# unprivileged user ("postgres" when called as root, which the server refuses to run as).
#   test-server.sh start FOLDER    makes the cluster if it is not there yet, and starts it
#   test-server.sh stop FOLDER     stops it, keeping its data
#   test-server.sh remove FOLDER   stops it and removes the folder
# The superuser is "kvt", trusted; the role "clave", when a test makes it, must give its password.
set -euo pipefail
action=$1
folder=$2
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -z "$bin" ]; then
  echo "No está instalado PostgreSQL (Debian: postgresql)." >&2
  exit 1
fi

as_owner() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

case "$action" in
  start)
    if [ ! -f "$folder/data/PG_VERSION" ]; then
      rm -rf "$folder"
      mkdir -p "$folder"
      [ "$(id -u)" -eq 0 ] && chown postgres: "$folder"
      chmod 700 "$folder"
      as_owner "$bin/initdb" -D "$folder/data" -U kvt -A trust -E UTF8 --locale=C.UTF-8 >/dev/null
      printf '%s\n' 'local all clave scram-sha-256' 'local all all trust' \
        | as_owner tee "$folder/data/pg_hba.conf" >/dev/null
    fi
    if as_owner "$bin/pg_ctl" -D "$folder/data" status >/dev/null 2>&1; then exit 0; fi
    as_owner "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -s \
      -o "-c listen_addresses= -c unix_socket_directories=$folder -c fsync=off \
          -c synchronous_commit=off -c full_page_writes=off" start
    ;;
  stop)
    as_owner "$bin/pg_ctl" -D "$folder/data" -m fast -w -s stop
    ;;
  remove)
    if [ -f "$folder/data/postmaster.pid" ]; then
      as_owner "$bin/pg_ctl" -D "$folder/data" -m fast -w -s stop || true
    fi
    rm -rf "$folder"
    ;;
  *)
    echo "usage: $0 start|stop|remove FOLDER" >&2
    exit 2
    ;;
esac
