#pragma once
// The image faults a reader can show, made on a sample picture: shared by the
// simulated readers (simulador.ini) and the sample generator (--fallo).

#include <QByteArray>
#include <QImage>

enum class FalloImagen {
    Ninguno,
    FrontalEnBlanco, // the front comes out blank (a lamp failed)
    FrontalOscuro,   // the front comes out almost black
    Cortada,         // every image is cut to its top two fifths
    Danada,          // the front JPEG file is damaged (does not decode)
};

// The picture with the fault: the front ones only for the front faults;
// Danada changes no picture (see danaFichero).
QImage aplicaFalloImagen(const QImage& imagen, FalloImagen fallo, bool frontal);
// Zeroes the header and the first data of an image file: nothing can decode it.
void danaFichero(QByteArray& bytes);
