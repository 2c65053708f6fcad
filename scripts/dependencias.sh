#!/usr/bin/env bash
# Installs the Debian packages the project needs, only when some are missing.
set -euo pipefail

PAQUETES=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-image-formats-plugins
  qt6-translations-l10n
  libgl-dev libzip-dev zlib1g-dev libtiff-dev fonts-dejavu-core
  libsqlite3-dev unzip poppler-utils
  libqt6sql6-psql libpq-dev postgresql
)

faltan=()
for p in "${PAQUETES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done

if ((${#faltan[@]})); then
  # apt-get needs root. sudo does not pass the environment on, so the
  # non-interactive setting goes through env, under sudo.
  como_root=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "Faltan paquetes de Debian y este usuario no tiene sudo." >&2
      echo "Instálelos una vez como root (su -c scripts/dependencias.sh) y vuelva a" >&2
      echo "ejecutar el script como este usuario. Faltan: ${faltan[*]}" >&2
      exit 1
    fi
    como_root=(sudo)
  fi
  echo "Instalando: ${faltan[*]}"
  "${como_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${como_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${faltan[@]}"
fi
