#include "ConfiguracionEscaner.h"

#include "FicheroPerfil.h"

using namespace ConfiguracionEscaner;

tEscaner leeConfiguracionEscaner(const tInstalacion& instalacion) {
    const TFicheroPerfil perfil(instalacion.ficheros.ficheroConfiguracion);
    const tEscaner porDefecto;
    tEscaner e;
    e.texto = perfil.texto(SeccionEscaner, ClaveTexto, porDefecto.texto).left(LongitudTexto);
    e.Imprimir = perfil.booleano(SeccionEscaner, ClaveImpresion, porDefecto.Imprimir);
    e.Fecha = perfil.booleano(SeccionEscaner, ClaveFecha, porDefecto.Fecha);
    e.tipo = perfil.entero(SeccionEscaner, ClaveTipo, porDefecto.tipo);
    if (e.tipo < 0 || e.tipo > TipoMaximo)
        e.tipo = porDefecto.tipo;
    e.tiempoSAFE = perfil.entero(SeccionTiempos, ClaveSafe, porDefecto.tiempoSAFE);
    if (e.tiempoSAFE < 1 || e.tiempoSAFE > SafeMaximo)
        e.tiempoSAFE = porDefecto.tiempoSAFE;
    return e;
}

void escribeConfiguracionEscaner(const tInstalacion& instalacion, const tEscaner& escaner,
                                 bool conSafe) {
    TFicheroPerfil perfil(instalacion.ficheros.ficheroConfiguracion);
    perfil.fijaEntero(SeccionEscaner, ClaveTipo, escaner.tipo);
    perfil.fijaBooleano(SeccionEscaner, ClaveImpresion, escaner.Imprimir);
    perfil.fijaBooleano(SeccionEscaner, ClaveFecha, escaner.Fecha);
    perfil.fija(SeccionEscaner, ClaveTexto, escaner.texto);
    if (conSafe)
        perfil.fijaEntero(SeccionTiempos, ClaveSafe, tEscaner().tiempoSAFE);
    perfil.guarda();
}

QString avisoConfiguracionIlegible(const tInstalacion& instalacion) {
    const TFicheroPerfil perfil(instalacion.ficheros.ficheroConfiguracion);
    if (perfil.problema().isEmpty())
        return {};
    return perfil.problema() +
           QStringLiteral("\n\nMientras tanto el programa usa los valores por omisión (sin lector "
                          "de cheques y sin los datos del banco) y no modifica el fichero. "
                          "Corríjalo, o guarde la configuración en Mantenimiento > "
                          "\"Configuración de escáner\" para sustituirlo por uno nuevo.");
}

QString textoConfiguracionEscaner(const tEscaner& e) {
    return QStringLiteral("Configuración del escáner leída: tipo %1, impresión %2, fecha %3, "
                          "texto \"%4\", espera %5 s")
        .arg(e.tipo)
        .arg(e.Imprimir ? QStringLiteral("sí") : QStringLiteral("no"))
        .arg(e.Fecha ? QStringLiteral("sí") : QStringLiteral("no"))
        .arg(e.texto)
        .arg(e.tiempoSAFE);
}
