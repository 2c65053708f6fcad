#!/usr/bin/env bash
# A PostgreSQL server for the benchmarks: the test server of
# scripts/servidor_pruebas.sh, started again with the server's durable
# defaults (fsync and full page writes on), so that each commit pays its flush
# to the disk, on the program's side and on the floor's alike.
#   tools/bench/servidor_bench.sh arranca CARPETA   makes and starts it
#   tools/bench/servidor_bench.sh para CARPETA      stops it and removes it
# CARPETA/conexion then holds "socket-folder port user database", the file
# the benchmarks' --servidor option reads.
set -euo pipefail

accion=${1:?arranca o para}
carpeta=${2:?carpeta del servidor}
"$(dirname "$0")/../../scripts/servidor_pruebas.sh" "$accion" "$carpeta"
[ "$accion" = arranca ] || exit 0

bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n1)
como=()
[ "$(id -u)" -ne 0 ] || como=(runuser -u nobody --)
datos=$(cat "$carpeta/datos")
socket=$(cat "$carpeta/socket")/socket
"${como[@]}" "$bin/pg_ctl" -D "$datos" -m fast -w stop >/dev/null
"${como[@]}" "$bin/pg_ctl" -D "$datos" -w -t 30 -l "$datos/servidor.log" \
  -o "-c listen_addresses='' -c unix_socket_directories=$socket -c max_connections=200" \
  start >/dev/null
