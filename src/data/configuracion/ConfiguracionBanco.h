#pragma once
// The receiving bank of the installation, kept in "config.ini" (folder Pub),
// section BANCO: key Nombre (printed on the covering letter under
// "DESTINO :") and key Web (the page that "Envío Web" opens to send a
// remittance), read as profile values (FicheroPerfil.h). A missing file,
// section or key gives the default.

#include "Instalacion.h"

#include <QString>

struct tConfiguracionBanco {
    QString Nombre;
    QString Web;
};

namespace ConfiguracionBanco {
inline const QString NombrePorDefecto = QStringLiteral("ENTIDAD DE CRÉDITO");
// No address is guessed: without one, there is no page to open.
inline const QString WebPorDefecto = QString();
} // namespace ConfiguracionBanco

tConfiguracionBanco leeConfiguracionBanco(const tInstalacion& instalacion);
