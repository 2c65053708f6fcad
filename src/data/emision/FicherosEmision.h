#pragma once
// The three text files of one emission (presentation file, detailed report,
// covering letter) made in memory, cheque by cheque, and then written once
// each, whole and forced to disk: an emission writes a file per document, not
// a write and a sync per cheque. The emission and the completion of an
// interrupted one make them the same way, so the same rows give the same bytes.

#include "FicherosTexto.h"
#include "Instalacion.h"
#include "Registros.h"

#include <QString>
#include <QStringList>

class TFicherosEmision {
public:
    // `remesa` is the emission's working copy, its Nif already ending in its
    // blank, nombre_Cons set; `ordenante` the presenter as the bank file
    // takes it (Nif_Sufijo with its blank).
    TFicherosEmision(const tDirectorios& dirs, const QString& numero, const tRemesas& remesa,
                     const tOrdenantes& ordenante);

    // One cheque, with its model description for the report; its amount goes
    // to the bank record, the report and the totals. Throws TErrorOperacion
    // for a cheque without an amount.
    void anadeTalon(const tTalon& talon);

    // Completes the working copy (Importe, Numero_Registros, Numero_Talones)
    // and writes the three files. When one cannot be written, none of them
    // is left and TErrorOperacion says which file and why.
    void escribe(const QString& nombreBanco, const IDestinoFicheros& destino);

    int talones() const { return talones_; }
    qint64 centimos() const { return centimos_; }
    const tRemesas& remesa() const { return remesa_; }
    QString rutaFichero() const { return dirs_.Dir_Cons + remesa_.nombre_Cons; }
    QString rutaInforme() const;
    QString rutaCarta() const;

    // The emission's files in the folder, written or half written: the three
    // text files, the archive and the archive's work files.
    static QStringList ficherosDe(const tDirectorios& dirs, const QString& numero);

private:
    tDirectorios dirs_;
    QString numero_;
    tRemesas remesa_;
    tOrdenantes ordenante_;
    QStringList fichero_;
    QStringList informe_;
    int talones_ = 0;
    qint64 centimos_ = 0;
};
