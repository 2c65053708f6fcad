#!/usr/bin/env bash
# Installs what is missing, builds the program (not the tests), and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/dependencias.sh
scripts/compila.sh teskora_chk
exec build/instalacion/teskora_chk "$@"
