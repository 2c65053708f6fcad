#pragma once
// The size limits of the document images, section IMAGENES of config.ini:
//
//     [IMAGENES]
//     PppMinimo=100        ; resolutions of the readers, dots per inch
//     PppMaximo=300
//     AnchoMinimoMm=120    ; a document's size, millimetres
//     AnchoMaximoMm=250
//     AltoMinimoMm=55
//     AltoMaximoMm=125
//
// A missing or unreadable key takes its default (which fit the three
// readers); a limit of 0 or less, or a minimum above its maximum, is ignored.

#include "CalidadImagen.h"
#include "Instalacion.h"

tLimitesImagen leeLimitesImagen(const tInstalacion& instalacion);
