#pragma once
// A fresh installation in a temporary folder, with its data module, a
// scripted operator for the data module (iu) and a script for the windows'
// boxes and dialogs (guion, already in the state: no box ever opens). Each
// test builds its own.

#include "EstadoPrograma.h"
#include "GuionDialogos.h"
#include "Instalacion.h"
#include "InterfazUsuarioFalsa.h"
#include "MotorTablas.h"
#include "ServidorPruebas.h"
#include "TablasInstalacion.h"
#include "TdmBBDD.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>

struct InstalacionPrueba {
    QTemporaryDir dir;
    tInstalacion inst;
    TGuionDialogos guion;
    tEstadoPrograma estado;
    InterfazUsuarioFalsa iu;
    std::unique_ptr<TdmBBDD> dm;

    // With `preparar`, folders and master tables exist and remittance 1 is current.
    explicit InstalacionPrueba(bool preparar = true) : inst(calculaInstalacion(dir.path())) {
        estado.guion = &guion;
        preparaServidorPruebas(inst);
        dm = std::make_unique<TdmBBDD>(inst, estado, iu);
        if (preparar) {
            dm->tablas().creaCarpetasTrabajo();
            dm->tablas().CreaTablas();
            estado.RemesaActual.Pk_Remesa = 1;
        }
    }
};

// How a failure message names the table file: its path, or on the server
// its table.
inline QString tablaEnMensaje(const QString& ruta) {
    return motor::enServidor() ? motor::tablaEnServidor(ruta) : QDir::toNativeSeparators(ruta);
}

// Runs a query on a table file and answers every row as a list of texts.
inline QList<QStringList> filasDe(const QString& ruta, const QString& sql,
                                  const QVariantList& valores = {}) {
    QList<QStringList> filas;
    motor::Conexion con(ruta);
    motor::Sentencia s(con, sql);
    for (const QVariant& v : valores)
        s.liga(v);
    if (!s.ejecuta())
        return filas;
    while (s.siguiente()) {
        QStringList fila;
        for (int i = 0; i < s.columnas(); ++i)
            // The server's own row number is not one of the table's columns.
            if (!con.enServidor() || s.nombreColumna(i) != QStringLiteral("rowid"))
                fila << s.texto(i);
        filas << fila;
    }
    return filas;
}
