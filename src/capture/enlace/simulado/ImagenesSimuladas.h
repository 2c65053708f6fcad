#pragma once
// The image faults a simulated reader shows, chosen in its section of
// "simulador.ini" by the position N of the document in the reading:
//
//     frontalEnBlanco=N   ; the front images come out blank (a lamp failed)
//     frontalOscuro=N     ; the front images come out almost black
//     imagenCortada=N     ; every image is cut to its top two fifths
//     imagenDanada=N      ; the front JPEG file is damaged (does not decode)
//
// The sample files are never changed: the faulty image is made in memory.

#include <QByteArray>
#include <QString>

// Which picture of a document: front JPEG, front TIFF, back TIFF.
enum class CaraSimulada { FrontalJpg, FrontalTif, TraseraTif };

// The bytes of the sample picture `origen` as the reader of `seccion`
// delivers it for the document at `posicion`; empty when it cannot be read.
QByteArray imagenSimulada(const QString& seccion, int posicion, CaraSimulada cara,
                          const QString& origen);
