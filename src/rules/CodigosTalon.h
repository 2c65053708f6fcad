#pragma once
// Code values stored in the cheque tables.

#include <QString>

namespace Estado {
inline const QString Correcto = QStringLiteral("0");
inline const QString Incompleto = QStringLiteral("1");
inline const QString Duplicado = QStringLiteral("2");
} // namespace Estado

// Word shown for a state code; anything unknown reads as a duplicate.
QString palabraEstado(const QString& codigo);

// Name of a document type code; unknown codes are "DESCONOCIDO".
QString descripcionModelo(const QString& codigo);
