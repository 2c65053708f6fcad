#!/usr/bin/env bash
# Draws the reader pictures that the capture windows' links open (folder Pub
# of the installation): for each reader, the device ("Detalle del escáner")
# and where the cheque goes ("Despiece en  detalle del escáner" / "Posición
# del cheque"). Plain drawings, made with ImageMagick; run it again after
# changing them:  tools/dibujos/dibuja_lectores.sh resources/Pub
set -euo pipefail
destino=${1:-resources/Pub}
mkdir -p "$destino"
fuente=DejaVu-Sans

# lector <file> <title> <feed: tolva|ranura> <view: detalle|posicion>
lector() {
  local fichero=$1 titulo=$2 entrada=$3 vista=$4
  local dibujo=(
    -fill '#d9dde3' -stroke '#4a5360' -strokewidth 3 -draw 'roundrectangle 120,190 680,420 24,24'
    -fill '#2f3742' -stroke none -draw 'rectangle 150,215 650,232'
    -fill '#7fd17f' -draw 'circle 620,385 628,385'
    -fill '#4a5360' -font "$fuente" -pointsize 16 -draw "text 140,400 '$titulo'"
  )
  if [ "$entrada" = tolva ]; then
    dibujo+=(-fill '#b9c0c9' -stroke '#4a5360' -strokewidth 2 -draw 'polygon 160,190 300,190 280,120 180,120'
             -fill '#b9c0c9' -draw 'polygon 500,190 640,190 620,120 520,120')
  fi
  if [ "$vista" = posicion ]; then
    # The cheque, face up, codeline at the bottom edge, going into the reader.
    dibujo+=(-fill '#fffdf2' -stroke '#8a7d4f' -strokewidth 2 -draw 'rectangle 200,40 520,190'
             -fill '#3a3a3a' -stroke none -font "$fuente" -pointsize 13
             -draw "text 215,65 'CHEQUE  (cara impresa hacia usted)'"
             -draw "text 215,178 '1234567   12345678 0123456789   (banda CMC7)'"
             -fill '#c0392b' -stroke '#c0392b' -strokewidth 4 -draw 'line 600,60 600,170'
             -draw 'polygon 588,160 612,160 600,185'
             -fill '#c0392b' -stroke none -pointsize 16
             -draw "text 540,40 'Banda CMC7 abajo'"
             -draw "text 120,470 'Introduzca un único documento, con la banda magnética hacia abajo'"
             -draw "text 120,495 'y el texto del cheque hacia usted, hasta el fondo de la $entrada.'")
  else
    dibujo+=(-fill '#3a3a3a' -stroke none -font "$fuente" -pointsize 16
             -draw "text 120,470 'Lector conectado al equipo por USB y encendido (luz verde).'"
             -draw "text 120,495 'Los documentos entran por la $entrada de la parte superior.'"
             -fill none -stroke '#4a5360' -strokewidth 3 -draw 'line 680,300 760,300'
             -draw 'line 760,300 760,520')
  fi
  convert -size 800x560 xc:white "${dibujo[@]}" -quality 85 "$destino/$fichero"
}

lector detalle.jpg              'SEAC BANCHE RDS3000 / SB1500' tolva  detalle
lector despiece.jpg             'SEAC BANCHE RDS3000 / SB1500' tolva  posicion
lector Magtek2.JPG              'MAGTEK (lector de teclado)'   ranura detalle
lector Magtek1.JPG              'MAGTEK (lector de teclado)'   ranura posicion
lector excella.jpg              'MAGTEK EXCELLA'               tolva  detalle
lector despieceexcella.jpg      'MAGTEK EXCELLA'               tolva  posicion
lector excellaSTX.jpg           'MAGTEK EXCELLA STX'           ranura detalle
lector despieceExcellaSTX.jpg   'MAGTEK EXCELLA STX'           ranura posicion
lector Detalle_VisionX.jpg      'PANINI VISION X'              tolva  detalle
lector Despiece_VisionX.jpg     'PANINI VISION X'              tolva  posicion
