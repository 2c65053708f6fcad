#include "TiffGrupo4.h"

#include <QFile>

#include <tiffio.h>

#include <vector>

bool escribeTiffGrupo4(const QImage& imagen, const QString& ruta, int ppp) {
    const QImage gris = imagen.convertToFormat(QImage::Format_Grayscale8);
    TIFF* tiff = TIFFOpen(QFile::encodeName(ruta).constData(), "w");
    if (!tiff)
        return false;
    const auto ancho = static_cast<uint32_t>(gris.width());
    const auto alto = static_cast<uint32_t>(gris.height());
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, ancho);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, alto);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 1);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
    TIFFSetField(tiff, TIFFTAG_FILLORDER, FILLORDER_MSB2LSB);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, alto);
    TIFFSetField(tiff, TIFFTAG_XRESOLUTION, static_cast<float>(ppp));
    TIFFSetField(tiff, TIFFTAG_YRESOLUTION, static_cast<float>(ppp));
    TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    std::vector<unsigned char> fila((ancho + 7) / 8);
    bool bien = true;
    for (uint32_t y = 0; y < alto && bien; ++y) {
        std::fill(fila.begin(), fila.end(), 0);
        const uchar* origen = gris.constScanLine(static_cast<int>(y));
        for (uint32_t x = 0; x < ancho; ++x)
            if (origen[x] < 128) // black is 1 with min-is-white
                fila[x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
        bien = TIFFWriteScanline(tiff, fila.data(), y, 0) >= 0;
    }
    TIFFClose(tiff);
    if (!bien)
        QFile::remove(ruta);
    return bien;
}
