#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/dependencias.sh
scripts/compila.sh
exec build/instalacion/teskora_chk "$@"
