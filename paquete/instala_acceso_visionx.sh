#!/bin/sh
# Gives the operators access to the Vision X reader: installs the udev rule
# shipped beside this script and makes udev apply it to a reader that is
# already connected. Runs as the super user: the program starts it through
# pkexec from its driver installation window.
#
# TESKORA_DIR_REGLAS names another rules folder (for trying the script
# without touching the system); pkexec never passes it on.
set -eu

ORIGEN="$(dirname "$(readlink -f "$0")")/60-teskora-visionx.rules"
DIR_REGLAS="${TESKORA_DIR_REGLAS:-/etc/udev/rules.d}"

if [ ! -r "$ORIGEN" ]; then
    echo "No se encuentra la regla $ORIGEN." >&2
    exit 2
fi
if ! install -d "$DIR_REGLAS" || ! install -m 0644 "$ORIGEN" "$DIR_REGLAS/60-teskora-visionx.rules"; then
    echo "No se pudo copiar la regla en $DIR_REGLAS (¿se ejecutó como administrador?)." >&2
    exit 3
fi
if [ -z "${TESKORA_DIR_REGLAS:-}" ] && command -v udevadm >/dev/null 2>&1; then
    udevadm control --reload-rules || true
    udevadm trigger --subsystem-match=usb --action=add || true
fi
echo "Regla de acceso al lector Vision X instalada en $DIR_REGLAS."
