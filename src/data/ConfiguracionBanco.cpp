#include "ConfiguracionBanco.h"

#include <QSettings>

tConfiguracionBanco leeConfiguracionBanco(const tInstalacion& instalacion) {
    QSettings ini(instalacion.ficheros.ficheroConfiguracion, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("BANCO"));
    tConfiguracionBanco banco;
    banco.Nombre = ini.value(QStringLiteral("Nombre"), ConfiguracionBanco::NombrePorDefecto)
                       .toString()
                       .trimmed();
    banco.Web =
        ini.value(QStringLiteral("Web"), ConfiguracionBanco::WebPorDefecto).toString().trimmed();
    return banco;
}
