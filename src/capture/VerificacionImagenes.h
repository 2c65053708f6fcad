#pragma once
// The image check of one read document: its three temporary images (front
// JPEG, front and back TIFF) must decode and have a cheque's size; the grey
// front must pass the tone and codeline checks of CalidadImagen. The back
// is only decoded and measured: a cheque with nothing on its back is normal.
//
// Decoding uses the image plugins; safe on any thread.

#include "CalidadImagen.h"

// The first fault of the document's images in the temporary folder, by
// sequence number; no mark when all three pass.
tAvisoImagen verificaImagenesLeidas(const QString& carpeta, const QString& secuencia,
                                    const tLimitesImagen& limites);
