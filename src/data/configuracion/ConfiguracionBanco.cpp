#include "ConfiguracionBanco.h"

#include "FicheroPerfil.h"

tConfiguracionBanco leeConfiguracionBanco(const tInstalacion& instalacion) {
    const TFicheroPerfil perfil(instalacion.ficheros.ficheroConfiguracion);
    const QString seccion = QStringLiteral("BANCO");
    tConfiguracionBanco banco;
    // A blank name would leave the letter without its addressee.
    const QString nombre = perfil.texto(seccion, QStringLiteral("Nombre"), QString());
    banco.Nombre = nombre.isEmpty() ? ConfiguracionBanco::NombrePorDefecto : nombre;
    banco.Web = perfil.texto(seccion, QStringLiteral("Web"), ConfiguracionBanco::WebPorDefecto);
    return banco;
}
