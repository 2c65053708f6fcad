#!/usr/bin/env bash
# Builds the Debian package teskora-chk_<version>_amd64.deb in build-paquete/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/dependencias.sh
faltan=()
for p in dpkg-dev fakeroot file; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
if ((${#faltan[@]})); then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${faltan[@]}"
fi
cmake -S . -B build-paquete -DCMAKE_BUILD_TYPE=Release ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER}
cmake --build build-paquete -j"$(nproc)" --target paquete_contenido
cd build-paquete
rm -f teskora-chk_*.deb
cpack -G DEB
ls "$PWD"/teskora-chk_*.deb
