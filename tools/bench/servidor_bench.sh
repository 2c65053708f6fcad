#!/usr/bin/env bash
# A PostgreSQL server for the benchmarks, on a local socket only, with the
# server's durable defaults (fsync and full page writes on): each commit pays
# its flush to the disk, on the program's side and on the floor's alike.
#   tools/bench/servidor_bench.sh arranca CARPETA   makes and starts it
#   tools/bench/servidor_bench.sh para CARPETA      stops it and removes it
# CARPETA/conexion then holds "socket-folder port user database", the file
# the benchmarks' --servidor option reads. As root the server runs as the
# unprivileged user nobody (the server refuses to run as root).
set -euo pipefail

accion=${1:?arranca o para}
carpeta=${2:?carpeta del servidor}
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n1)
[ -x "$bin/initdb" ] || { echo "Falta PostgreSQL (paquete postgresql)." >&2; exit 1; }

como=()
if [ "$(id -u)" -eq 0 ]; then
  como=(runuser -u nobody --)
fi

para() {
  if [ -f "$carpeta/socket" ]; then
    local datos
    datos=$(cat "$carpeta/datos")
    "${como[@]}" "$bin/pg_ctl" -D "$datos" -m fast -w stop >/dev/null 2>&1 || true
    rm -rf "$datos" "$(cat "$carpeta/socket")"
  fi
  rm -rf "$carpeta"
}

case "$accion" in
arranca)
  para
  mkdir -p "$carpeta"
  # The socket path must stay short (about 100 bytes), so the server lives
  # in /tmp whatever the folder given.
  base=$(mktemp -d /tmp/teskora_pgb.XXXXXX)
  chmod 755 "$base"
  mkdir "$base/datos" "$base/socket"
  [ ${#como[@]} -eq 0 ] || chown nobody "$base/datos" "$base/socket"
  echo "$base/datos" >"$carpeta/datos"
  echo "$base" >"$carpeta/socket"
  "${como[@]}" "$bin/initdb" -D "$base/datos" -U teskora --auth=trust --no-locale \
    -E UTF8 >"$carpeta/initdb.log" 2>&1 ||
    { cat "$carpeta/initdb.log" >&2; exit 1; }
  "${como[@]}" "$bin/pg_ctl" -D "$base/datos" -w -t 30 -l "$base/datos/servidor.log" \
    -o "-c listen_addresses='' -c unix_socket_directories=$base/socket" start >/dev/null ||
    { cat "$base/datos/servidor.log" >&2; exit 1; }
  "$bin/psql" -h "$base/socket" -U teskora -d postgres -q -c "CREATE DATABASE teskora" >/dev/null
  echo "$base/socket 5432 teskora teskora" >"$carpeta/conexion"
  ;;
para)
  para
  ;;
*)
  echo "Uso: $0 arranca|para CARPETA" >&2
  exit 2
  ;;
esac
