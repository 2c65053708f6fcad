#include "ConfiguracionImagenes.h"

#include "FicheroPerfil.h"

namespace {
void leePar(const TFicheroPerfil& perfil, const QString& minimo, const QString& maximo, int& min,
            int& max) {
    const QString seccion = QStringLiteral("IMAGENES");
    const int a = perfil.entero(seccion, minimo, min);
    const int b = perfil.entero(seccion, maximo, max);
    if (a > 0 && b > 0 && a <= b) {
        min = a;
        max = b;
    }
}
} // namespace

tLimitesImagen leeLimitesImagen(const tInstalacion& instalacion) {
    const TFicheroPerfil perfil(instalacion.ficheros.ficheroConfiguracion);
    tLimitesImagen l;
    leePar(perfil, QStringLiteral("PppMinimo"), QStringLiteral("PppMaximo"), l.pppMinimo,
           l.pppMaximo);
    leePar(perfil, QStringLiteral("AnchoMinimoMm"), QStringLiteral("AnchoMaximoMm"),
           l.anchoMinimoMm, l.anchoMaximoMm);
    leePar(perfil, QStringLiteral("AltoMinimoMm"), QStringLiteral("AltoMaximoMm"), l.altoMinimoMm,
           l.altoMaximoMm);
    return l;
}
