#!/usr/bin/env bash
# Builds the Debian package and checks it in a clean Debian 12 root:
# installation, a start as a non-root member of the operators' group that
# creates the tables in the shared data folder, an upgrade to a rebuilt
# package that keeps the rows, removal and purge that keep the data.
#
# Needs root (debootstrap, chroot, mount). TESKORA_RAIZ_BASE may name a
# tarball of a clean bookworm root to start from instead of debootstrap.
set -euo pipefail
cd "$(dirname "$0")/../.."
RAIZ_PROYECTO=$PWD

if [ "$(id -u)" -ne 0 ]; then
  echo "prueba_paquete: se necesita root (debootstrap y chroot); no se ejecuta."
  exit 0
fi

for p in debootstrap lintian; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
    env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$p"
done

DEB=${TESKORA_DEB:-$(paquete/construye.sh | tail -1)}
echo "Paquete: $DEB"

echo "== lintian"
# Errors fail the check; warnings are printed.
lintian --fail-on error "$DEB"

TRABAJO=$RAIZ_PROYECTO/build-paquete/prueba
RAIZ=$TRABAJO/raiz
montado=""
limpia() {
  [ -n "$montado" ] && umount "$RAIZ/proc" 2>/dev/null || true
}
trap limpia EXIT
rm -rf "$TRABAJO"
mkdir -p "$TRABAJO"
if [ -n "${TESKORA_RAIZ_BASE:-}" ]; then
  mkdir -p "$RAIZ"
  tar xzf "$TESKORA_RAIZ_BASE" -C "$RAIZ" --strip-components=1
else
  debootstrap --variant=minbase bookworm "$RAIZ" http://deb.debian.org/debian
fi
cp /etc/resolv.conf "$RAIZ/etc/resolv.conf"
mount -t proc proc "$RAIZ/proc"
montado=1

enraiz() { chroot "$RAIZ" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }
falla() { echo "FALLO: $*" >&2; exit 1; }

echo "== instalación"
cp "$DEB" "$RAIZ/tmp/teskora-chk.deb"
enraiz apt-get update -q
enraiz apt-get install -y -q /tmp/teskora-chk.deb
DATOS=$RAIZ/var/lib/teskora-chk
[ -d "$DATOS" ] || falla "no existe la carpeta de datos"
# Owners are read inside the root: its group numbers are not the host's.
estado() { enraiz stat -c "$1" "${2#"$RAIZ"}"; }
[ "$(estado '%G %a' "$DATOS")" = "teskora 2775" ] || falla "permisos de la carpeta de datos: $(estado '%G %a' "$DATOS")"
[ -f "$DATOS/Pub/SIN_IMAGEN.jpg" ] || falla "falta la imagen de Pub"
grep -q '^Exec=teskora-chk' "$RAIZ/usr/share/applications/teskora-chk.desktop" || falla "entrada de escritorio"
# The Vision X access rule is installed by its script (here into a scratch
# folder), never by the package itself.
[ -x "$RAIZ/usr/lib/teskora-chk/instala_acceso_visionx.sh" ] || falla "falta el script del acceso al Vision X"
[ ! -e "$RAIZ/etc/udev/rules.d/60-teskora-visionx.rules" ] || falla "el paquete instaló la regla de udev"
enraiz env TESKORA_DIR_REGLAS=/tmp/reglas /usr/lib/teskora-chk/instala_acceso_visionx.sh >/dev/null
cmp -s "$RAIZ/tmp/reglas/60-teskora-visionx.rules" "$RAIZ/usr/lib/teskora-chk/60-teskora-visionx.rules" ||
  falla "el script no copió la regla del Vision X"

echo "== arranque como operador del grupo"
enraiz useradd -m -G teskora operador
uid=$(enraiz id -u operador)
gid=$(enraiz id -g operador)
grupo=$(enraiz getent group teskora | cut -d: -f3)
arranca() {
  # The program stays open on its first window: it is stopped once the tables
  # are there.
  chroot --userspec="$uid:$gid" --groups="$grupo" "$RAIZ" env -i HOME=/home/operador \
    PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 teskora-chk &
  local pid=$!
  for _ in $(seq 1 60); do
    [ -f "$DATOS/Tablas/remesas.dat" ] && [ -f "$DATOS/Tablas/historicoCheques.dat" ] && break
    sleep 0.5
  done
  sleep 1
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
arranca
[ -f "$DATOS/Tablas/remesas.dat" ] || falla "el programa no creó las tablas en la carpeta compartida"
[ "$(estado '%G' "$DATOS/Tablas/remesas.dat")" = "teskora" ] || falla "las tablas no son del grupo"
estado '%A' "$DATOS/Tablas/remesas.dat" | grep -q '^-rw-rw-' || falla "las tablas no son escribibles por el grupo"

cuenta() { python3 -c "import sqlite3,sys;print(sqlite3.connect(sys.argv[1]).execute('select count(*) from remesas').fetchone()[0])" "$1"; }
python3 -c "import sqlite3,sys;c=sqlite3.connect(sys.argv[1]);c.execute(\"insert into remesas(Pk_Remesas,Nombre_Remesa) values(2,'PRUEBA PAQUETE')\");c.commit()" "$DATOS/Tablas/remesas.dat"
antes=$(cuenta "$DATOS/Tablas/remesas.dat")

echo "== actualización a un paquete reconstruido"
rm -rf "$TRABAJO/nuevo"
dpkg-deb -R "$DEB" "$TRABAJO/nuevo"
sed -i 's/^Version: .*/&+1/' "$TRABAJO/nuevo/DEBIAN/control"
dpkg-deb -b --root-owner-group "$TRABAJO/nuevo" "$RAIZ/tmp/teskora-chk-nuevo.deb" >/dev/null
enraiz apt-get install -y -q /tmp/teskora-chk-nuevo.deb
enraiz dpkg-query -W -f='${Version}\n' teskora-chk | grep -q '+1$' || falla "no se actualizó"
[ "$(cuenta "$DATOS/Tablas/remesas.dat")" = "$antes" ] || falla "la actualización cambió las filas"
arranca
[ "$(cuenta "$DATOS/Tablas/remesas.dat")" = "$antes" ] || falla "las filas no siguen tras arrancar"

echo "== desinstalación y purga"
enraiz apt-get remove -y -q teskora-chk
[ "$(cuenta "$DATOS/Tablas/remesas.dat")" = "$antes" ] || falla "la desinstalación tocó los datos"
[ ! -e "$RAIZ/usr/lib/teskora-chk/teskora_chk" ] || falla "el programa sigue instalado"
enraiz apt-get purge -y -q teskora-chk
[ "$(cuenta "$DATOS/Tablas/remesas.dat")" = "$antes" ] || falla "la purga borró los datos"

echo "prueba_paquete: correcto"
