#pragma once
// Moving an office's tables from the data folder's files to a database
// server: every table file (Tablas/*.dat and the remittances' cheque tables)
// is copied into the server's empty database in one transaction, with its
// rows in their order, its indexes and, for the activity record, its guard
// against changes. Before the transaction commits, each table's row count
// and the sums of its amounts are compared with the file's; only then is
// config.ini switched to the server. The files are only read: the office
// can go back to them by removing the [BASEDATOS] section.

#include "Instalacion.h"
#include "Servidor.h"

#include <QString>

struct tResultadoMigracion {
    int tablas = 0;
    qint64 filas = 0;
    // One line per table: its name on the server, rows and amount checked.
    QStringList detalle;
};

// The server the [BASEDATOS] section of config.ini names (whatever its
// Motor says). Throws TErrorOperacion when it names none.
motor::tServidorDatos servidorDeMigracion(const tInstalacion& instalacion);

// Copies, checks and switches, as said above. Throws TErrorOperacion with the
// reason; then nothing was written on the server and config.ini is as it
// was. The tables must be read from the files (no server in use).
tResultadoMigracion migraAServidor(const tInstalacion& instalacion,
                                   const motor::tServidorDatos& destino);
