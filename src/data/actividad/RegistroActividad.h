#pragma once
// The record of the acts that change what reaches the bank or what the
// history holds: emissions, completions of interrupted ones, annulments of
// history cheques, deletions of drawers and of remittances, restored copies
// and changes of the scanner configuration. One row per act, with when, the
// operating-system user, the computer and what was done. Rows are only ever
// added: the store offers nothing else, and the table refuses updates and
// deletions by itself.
//
// The table lives in its own file, Tablas/Actividad.dat, made on the first
// act it records.

#include "IInterfazUsuario.h"
#include "Instalacion.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace ActoActividad {
inline const QString Emision = QStringLiteral("Emisión");
inline const QString EmisionCompletada = QStringLiteral("Emisión completada");
inline const QString AnulacionCheque = QStringLiteral("Anulación de cheque");
inline const QString BorradoLibrados = QStringLiteral("Borrado de librados");
inline const QString BorradoRemesa = QStringLiteral("Borrado de remesa");
inline const QString RestauracionCopia = QStringLiteral("Restauración de copia");
inline const QString ConfiguracionEscaner = QStringLiteral("Configuración del escáner");
// Every act, in the order the list's filter offers them.
QStringList todos();
} // namespace ActoActividad

struct tFilaActividad {
    QDateTime fechaHora;
    QString usuario;
    QString equipo;
    QString acto;
    QString detalle;
};

// What the list shows: an empty act is every act; a null date leaves that
// end open. Both dates are included.
struct tFiltroActividad {
    QString acto;
    QDate desde;
    QDate hasta;
};

class TRegistroActividad {
public:
    explicit TRegistroActividad(const tDirectorios& dirs);

    QString ruta() const { return ruta_; }
    // Its file's name in Tablas. A restored copy leaves this file as it is:
    // the record keeps what happened after the copy too.
    static QString nombreFichero();

    // Adds the act's row now, by this user on this computer. Throws
    // TErrorOperacion when the row cannot be stored.
    void anota(const QString& acto, const QString& detalle) const;

    // The rows that pass the filter, newest first; a table not made yet has
    // no rows. Throws TErrorOperacion when the table cannot be read.
    QList<tFilaActividad> lista(const tFiltroActividad& filtro) const;

    // The operating-system user and the computer the rows are signed with.
    // The statements that keep the record's rows as written on the
    // database server (for a table copied there).
    static QStringList proteccionEnServidor();
    static QString usuarioSistema();
    static QString nombreEquipo();

private:
    QString ruta_;
};

// Records the act for the data module's operations: the act has already
// happened, so a row that cannot be stored is told to the operator (its
// message names the table) and nothing else changes.
void anotaActividad(const tInstalacion& inst, IInterfazUsuario& iu, const QString& acto,
                    const QString& detalle);
