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

// Where the record lives with the table files: beside the emitted files. On
// the database server it is a row of its own table, so that any
// workstation finds an emission another one left cut off.
QString rutaEmisionEnCurso(const tDirectorios& dirs);

// Writes the record whole or not at all. Throws TErrorOperacion.
void escribeEmisionEnCurso(const tDirectorios& dirs, const tEmisionEnCurso& emision);

// The record, or nothing when there is none. A record that does not read as
// one throws TErrorOperacion: it is left for support to see.
std::optional<tEmisionEnCurso> leeEmisionEnCurso(const tDirectorios& dirs);
// Whether there is a record, readable or not.
bool hayEmisionEnCurso(const tDirectorios& dirs);
// Removes the record (after the emission's last step).
void borraEmisionEnCurso(const tDirectorios& dirs);
// Puts an unreadable record aside for support; answers where it is now.
QString apartaEmisionEnCurso(const tDirectorios& dirs);
