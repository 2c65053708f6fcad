#pragma once
// The record of an emission in progress: a small file written before the
// emission writes anything else and removed after its last step. Found at
// the next start (or before the next emission), it says which emission was
// cut off and which history rows are its own, so that its files can be made
// again from the history, which is the truth of what was emitted.

#include "Instalacion.h"

#include <QString>

#include <optional>

struct tEmisionEnCurso {
    QString fichero; // "CONS.0001"
    QString numero;  // "0001"
    // Highest keys of historicoCheques.dat and historico.dat before the
    // emission began: the rows above them with its file name are its own.
    int claveHistoricoCheques = 0;
    int claveHistorico = 0;
};

// Where the record lives: beside the emitted files.
QString rutaEmisionEnCurso(const tDirectorios& dirs);

// Writes the record whole or not at all. Throws TErrorOperacion.
void escribeEmisionEnCurso(const QString& ruta, const tEmisionEnCurso& emision);

// The record, or nothing when the file does not exist. A file that does not
// read as a record throws TErrorOperacion: it is left for support to see.
std::optional<tEmisionEnCurso> leeEmisionEnCurso(const QString& ruta);
