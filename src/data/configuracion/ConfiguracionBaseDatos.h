#pragma once
// Where the tables are, from config.ini:
//
//   [BASEDATOS]
//   Motor=PostgreSQL        SQLite (the default: the data folder's files) or PostgreSQL
//   Servidor=servidor.local host name, or the folder of the server's local socket
//   Puerto=5432
//   Base=teskora
//   Usuario=cheques         empty: the system user's name
//   Esquema=                empty: the user's default schema
//
// The password is never in config.ini: the server's password file
// (~/.pgpass, or the file PGPASSFILE names) gives it.

#include "Instalacion.h"
#include "Servidor.h"

#include <optional>

struct tConfiguracionBaseDatos {
    std::optional<motor::tServidorDatos> servidor; // none: the SQLite files
    QString problema; // why the section cannot be used; empty when it can
};

namespace ConfiguracionBaseDatos {
inline const QString Seccion = QStringLiteral("BASEDATOS");
inline const QString MotorServidor = QStringLiteral("PostgreSQL");
inline const QString MotorFicheros = QStringLiteral("SQLite");
} // namespace ConfiguracionBaseDatos

tConfiguracionBaseDatos leeConfiguracionBaseDatos(const QString& ficheroConfiguracion);
// The server's keys of the section, whatever its Motor says (Base empty
// when it names none).
motor::tServidorDatos leeServidorDatos(const QString& ficheroConfiguracion);
// Reads the section and chooses the engine for the whole program. Answers
// the problem, when the section cannot be used; the program then does not
// touch any table (working on the files would split the office's data).
QString aplicaConfiguracionBaseDatos(const tInstalacion& instalacion);
// Writes the section for the server (all its keys). Throws TErrorOperacion.
void escribeConfiguracionBaseDatos(const QString& ficheroConfiguracion,
                                   const motor::tServidorDatos& servidor);
