#pragma once
// The reader settings kept in "config.ini" (folder Pub):
//   [ESCANER] Tipo (0 to 5), Impresion and Fecha (1 or 0), Texto (up to 70
//   characters); [TIEMPOS] Safe (seconds the keyboard reader is given to
//   type a whole codeline).
// Values that do not read take their defaults (those of tEscaner).

#include "ImagenesTalon.h"
#include "Instalacion.h"
#include "Registros.h"

namespace ConfiguracionEscaner {
inline const QString SeccionEscaner = QStringLiteral("ESCANER");
inline const QString SeccionTiempos = QStringLiteral("TIEMPOS");
inline const QString ClaveTipo = QStringLiteral("Tipo");
inline const QString ClaveImpresion = QStringLiteral("Impresion");
inline const QString ClaveFecha = QStringLiteral("Fecha");
inline const QString ClaveTexto = QStringLiteral("Texto");
inline const QString ClaveSafe = QStringLiteral("Safe");

inline constexpr int TipoMaximo = TipoLector::VisionX;
inline constexpr int LongitudTexto = 70;
// Longer waits would leave a jammed document's text waiting for minutes.
inline constexpr int SafeMaximo = 60;
} // namespace ConfiguracionEscaner

// Reads the settings; a missing or unreadable file gives every default. A
// type outside 0 to 5 reads as 0 (no reader: the editor's scanning button does
// nothing either way), a Safe outside 1 to 60 seconds as 5, and the text is
// cut to its 70 characters.
tEscaner leeConfiguracionEscaner(const tInstalacion& instalacion);

// Empty when config.ini reads as a profile file or is missing; otherwise the
// message for the operator at start: the file, why it cannot be read, and
// that it is left as it is until the scanner configuration is saved.
QString avisoConfiguracionIlegible(const tInstalacion& instalacion);

// The settings in one line for the diagnostic log.
QString textoConfiguracionEscaner(const tEscaner& escaner);

// Writes Tipo, Impresion, Fecha and Texto, and with `conSafe` also Safe = 5,
// keeping every other section, key and comment of the file. On failure throws
// TErrorOperacion with the reason, naming the file; the old file stays whole.
void escribeConfiguracionEscaner(const tInstalacion& instalacion, const tEscaner& escaner,
                                 bool conSafe);
