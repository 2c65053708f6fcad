#pragma once
// Black-and-white TIFF files compressed with CCITT Group 4, as cheque readers
// deliver them.

#include <QImage>
#include <QString>

// Writes the image as a one-bit Group 4 TIFF: pixels darker than the middle
// grey are black. True when the file was written.
bool escribeTiffGrupo4(const QImage& imagen, const QString& ruta, int ppp);
