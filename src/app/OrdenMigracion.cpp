#include "OrdenMigracion.h"

#include "ErrorOperacion.h"
#include "Instalacion.h"
#include "MigracionServidor.h"

#include <QDir>

#include <cstdio>

namespace {
void escribe(std::FILE* salida, const QString& texto) {
    std::fputs((texto + u'\n').toLocal8Bit().constData(), salida);
}
} // namespace

int ejecutaMigracionServidor(const QString& dirAplicacion) {
    const tInstalacion inst = calculaInstalacion(dirAplicacion);
    try {
        const motor::tServidorDatos destino = servidorDeMigracion(inst);
        escribe(stdout, QStringLiteral("Pasando las tablas de %1 al servidor de datos %2...")
                            .arg(QDir::toNativeSeparators(inst.dirs.Dir_Tablas),
                                 motor::descripcionServidor(destino)));
        const tResultadoMigracion r = migraAServidor(inst, destino);
        for (const QString& linea : r.detalle)
            escribe(stdout, QStringLiteral("  ") + linea);
        escribe(stdout, QStringLiteral("Hecho: %1 tablas y %2 filas copiadas y comprobadas; "
                                       "config.ini dice ahora Motor=PostgreSQL. Los ficheros "
                                       "de las tablas no se han tocado.")
                            .arg(r.tablas)
                            .arg(r.filas));
        return 0;
    } catch (const TErrorOperacion& e) {
        escribe(stderr, e.texto());
        return 1;
    }
}
