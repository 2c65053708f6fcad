#pragma once
// The tests' database server. When TESKORA_PRUEBAS_SERVIDOR names the
// connection file of a test server (scripts/servidor_pruebas.sh writes it;
// CTest sets it for the tests labelled "servidor"), every installation a test
// makes gets a fresh schema of its own on that server, written into its
// config.ini and applied as the program applies it at start. Without it the
// tables are the installation's SQLite files.

#include "ConfiguracionBaseDatos.h"
#include "Instalacion.h"
#include "Servidor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlQuery>

#include <cstdio>
#include <cstdlib>

inline bool pruebasEnServidor() {
    return !qEnvironmentVariableIsEmpty("TESKORA_PRUEBAS_SERVIDOR");
}

// The test server, without a schema; stops the test when it cannot be read.
inline motor::tServidorDatos servidorPruebas() {
    QFile f(qEnvironmentVariable("TESKORA_PRUEBAS_SERVIDOR"));
    const QStringList partes = f.open(QIODevice::ReadOnly)
                                   ? QString::fromUtf8(f.readAll()).simplified().split(u' ')
                                   : QStringList();
    if (partes.size() != 4) {
        std::fprintf(stderr, "No se puede leer el servidor de pruebas %s\n",
                     qPrintable(f.fileName()));
        std::exit(3);
    }
    return {partes[0], partes[1].toInt(), partes[3], partes[2], {}};
}

inline void preparaServidorPruebas(const tInstalacion& inst) {
    if (!pruebasEnServidor())
        return;
    motor::tServidorDatos s = servidorPruebas();
    static int instalaciones = 0;
    s.esquema =
        QStringLiteral("prueba_%1_%2").arg(QCoreApplication::applicationPid()).arg(++instalaciones);
    motor::usaServidor(s);
    {
        motor::EnlaceServidor enlace;
        QSqlQuery q(enlace.bd());
        if (!enlace.abierto() ||
            !q.exec(QStringLiteral("CREATE SCHEMA IF NOT EXISTS %1").arg(s.esquema))) {
            std::fprintf(stderr, "No se puede preparar el servidor de pruebas: %s\n",
                         qPrintable(enlace.error()));
            std::exit(3);
        }
    }
    QDir().mkpath(inst.dirs.Dir_Pub);
    escribeConfiguracionBaseDatos(inst.ficheros.ficheroConfiguracion, s);
    const QString problema = aplicaConfiguracionBaseDatos(inst);
    if (!problema.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(problema));
        std::exit(3);
    }
}
