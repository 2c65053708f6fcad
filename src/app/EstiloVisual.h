#pragma once
// The visual style file: a Qt style sheet whose first line names the style,
// "/* Style: <name> */". A file without that header is not a style file.

#include <QString>
#include <optional>

struct tEstiloVisual {
    QString nombre;
    QString hojaEstilo;
};

// The style held by the file, or nothing when it is missing or not valid.
std::optional<tEstiloVisual> leeEstiloVisual(const QString& ruta);

inline const QString NombreEstiloActivo = QStringLiteral("Untitled");
inline const QString MensajeEstiloNoValido = QStringLiteral("the Style is not valid");
