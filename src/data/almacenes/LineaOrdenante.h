#pragma once
// One line of the presenter choice list: NIF (10 wide), name (35 wide),
// account and key, joined by " -- ". The key is read back from the last part.

#include "Textos.h"

#include <QString>

inline const QString SeparadorLineaOrdenante = QStringLiteral(" -- ");

inline QString lineaOrdenante(const QString& nif, const QString& nombre, const QString& cuenta,
                              int clave) {
    const QString blanco = QStringLiteral(" ");
    return rellenaCadena(nif, blanco, 10, true) + SeparadorLineaOrdenante +
           rellenaCadena(nombre, blanco, 35, true) + SeparadorLineaOrdenante + cuenta +
           SeparadorLineaOrdenante + QString::number(clave);
}

inline int claveDeLineaOrdenante(const QString& linea) {
    return linea.section(SeparadorLineaOrdenante, -1).trimmed().toInt();
}
