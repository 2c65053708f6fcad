#pragma once
// "teskora_chk --migrar-a-servidor": moves the installation's tables to the
// database server that config.ini's [BASEDATOS] section names, without a
// window, telling on the terminal what it copied or why it did not.

#include <QString>
#include <QStringList>

inline const QString OpcionMigrarAServidor = QStringLiteral("--migrar-a-servidor");

// The exit code: 0 when the tables are on the server and config.ini says so.
int ejecutaMigracionServidor(const QString& dirAplicacion);
