#include "Instalacion.h"

#include <QDir>
#include <QStringList>

namespace {
QString conSeparador(const QString& ruta) {
    QString r = QDir::cleanPath(QDir(ruta).absolutePath());
    if (!r.endsWith(u'/'))
        r += u'/';
    return r;
}
} // namespace

QString tInstalacion::rutaTablaTalones(int pkRemesa) const {
    return dirs.Dir_TablaRemesas + QString::number(pkRemesa) + QStringLiteral(".dat");
}

tInstalacion calculaInstalacion(const QString& dirAplicacion) {
    tInstalacion i;
    tDirectorios& d = i.dirs;
    d.Dir_Aplicacion = conSeparador(dirAplicacion);
    d.Dir_Cuarderno = d.Dir_Aplicacion + QStringLiteral("RorireruDevarer/");
    d.Dir_Pub = d.Dir_Cuarderno + QStringLiteral("Pub/");
    d.Dir_Tablas = d.Dir_Cuarderno + QStringLiteral("Tablas/");
    d.Dir_TablaRemesas = d.Dir_Cuarderno + QStringLiteral("TablaRemesas/");
    d.Dir_Hco_Imagenes = d.Dir_Cuarderno + QStringLiteral("Hco/");
    d.Dir_Imagenes = d.Dir_Cuarderno + QStringLiteral("Imagenes/");
    d.Dir_Imagenes_tmp = d.Dir_Cuarderno + QStringLiteral("Imagenes_tmp/");
    d.Dir_tmp = d.Dir_Cuarderno + QStringLiteral("Tmp/");
    d.Dir_Cons = d.Dir_Cuarderno + QStringLiteral("Cons/");
    i.ficheros.ficheroConfiguracion = d.Dir_Pub + QStringLiteral("config.ini");
    i.ficheroTestigo = d.Dir_Pub + QStringLiteral("ActualizaNumeroModelo.txt");
    i.ficheroAyuda = d.Dir_Aplicacion + QStringLiteral("Cheques.hlp");
    return i;
}

QStringList carpetasDeTrabajo(const tDirectorios& d) {
    return {d.Dir_Cuarderno, d.Dir_Tablas,   d.Dir_TablaRemesas, d.Dir_tmp,         d.Dir_Cons,
            d.Dir_Pub,       d.Dir_Imagenes, d.Dir_Imagenes_tmp, d.Dir_Hco_Imagenes};
}
