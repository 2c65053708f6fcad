#pragma once
// Where the backup copies go and how many stay, kept in "config.ini" (folder
// Pub), section COPIAS: key Carpeta (a relative path is taken from the
// installation folder) and key Conservar (the recent copies kept; the first
// copy of each of the last twelve months stays besides).

#include "Instalacion.h"

#include <QString>

struct tConfiguracionCopias {
    QString Carpeta; // absolute, without a trailing separator
    int Conservar = 10;
};

namespace ConfiguracionCopias {
inline const QString CarpetaPorDefecto = QStringLiteral("RorireruDevarer/Copias");
inline constexpr int ConservarPorDefecto = 10;
} // namespace ConfiguracionCopias

tConfiguracionCopias leeConfiguracionCopias(const tInstalacion& instalacion);
