#include "FallosImagen.h"

#include <algorithm>

QImage aplicaFalloImagen(const QImage& imagen, FalloImagen fallo, bool frontal) {
    switch (fallo) {
    case FalloImagen::FrontalEnBlanco: {
        if (!frontal)
            return imagen;
        QImage blanca(imagen.size(), QImage::Format_Grayscale8);
        blanca.fill(255);
        return blanca;
    }
    case FalloImagen::FrontalOscuro: {
        if (!frontal)
            return imagen;
        QImage gris = imagen.convertToFormat(QImage::Format_Grayscale8);
        for (int y = 0; y < gris.height(); ++y) {
            uchar* fila = gris.scanLine(y);
            for (int x = 0; x < gris.width(); ++x)
                fila[x] = static_cast<uchar>(fila[x] / 8);
        }
        return gris;
    }
    case FalloImagen::Cortada:
        return imagen.copy(0, 0, imagen.width(), imagen.height() * 2 / 5);
    case FalloImagen::Ninguno:
    case FalloImagen::Danada:
        break;
    }
    return imagen;
}

void danaFichero(QByteArray& bytes) {
    std::fill_n(bytes.begin(), std::min<qsizetype>(bytes.size(), 600), '\0');
}
