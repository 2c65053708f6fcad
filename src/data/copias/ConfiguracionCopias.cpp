#include "ConfiguracionCopias.h"

#include "FicheroPerfil.h"

#include <QDir>

tConfiguracionCopias leeConfiguracionCopias(const tInstalacion& instalacion) {
    const TFicheroPerfil ini(instalacion.ficheros.ficheroConfiguracion);
    const QString seccion = QStringLiteral("COPIAS");
    QString carpeta = ini.texto(seccion, QStringLiteral("Carpeta"), QString());
    if (carpeta.isEmpty())
        carpeta = ConfiguracionCopias::CarpetaPorDefecto;
    tConfiguracionCopias c;
    c.Carpeta = QDir::cleanPath(QDir(instalacion.dirs.Dir_Aplicacion)
                                    .absoluteFilePath(QDir::fromNativeSeparators(carpeta)));
    c.Conservar =
        ini.entero(seccion, QStringLiteral("Conservar"), ConfiguracionCopias::ConservarPorDefecto);
    return c;
}
