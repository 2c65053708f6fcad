#pragma once
// The presentation file handed to the bank: "CONS." + emission number in the
// folder of emitted remittances, records of 150 characters (for a nine-
// character presenter NIF), one header "1056", one record "2056" per cheque
// and one totals record "4056".
//
// Header   1-4 "1056" | 5- NIF + blank | 15 blanks | confection DDMMYY |
//          process DDMMYY | IBAN without blanks 1-4, 5-12, 15-24, 13-14 |
//          85 blanks
// Cheque   1-4 "2056" | NIF + blank | 12 blanks | number 1-7 | its digit |
//          4 blanks | account 1-8, 11-20, 9-10 | model 1-4 | its digit |
//          cents in 13 | cheque date DDMMYY in 6 | order flag | 67 blanks
// Totals   1-4 "4056" | NIF + blank | 12 blanks | cents in 15 | cheques in
//          10 | records in 10 | 89 blanks
//
// The NIF field is the presenter's NIF as given (the emission has already
// appended its blank): it is neither padded nor cut, so a NIF of another
// length moves every later position. No field is ever cut either: a value
// longer than its width keeps its length and moves the rest of the record.
// Every writer throws TErrorOperacion when the file cannot be written.

#include "FicherosTexto.h"
#include "Registros.h"

#include <QString>
#include <QtGlobal>

#include <functional>

// Emission number (at least four digits) and its presentation file name.
struct tNombreCons {
    QString numero;  // "0001"
    QString fichero; // "CONS.0001"
};

// The first number from 1 to 10000 whose presentation file does not exist in
// the folder and that the history does not name (`usadoEnHistorico`, when
// set, answers for a "CONS." name), so that a folder emptied by hand never
// gives a number twice; both texts empty when every one is taken. Only
// "CONS." files count: a letter, a report or an archive alone does not take
// a number.
tNombreCons siguienteNombreCons(const QString& dirCons,
                                const std::function<bool(const QString&)>& usadoEnHistorico = {});

// The records as lines, without their CR LF. The cheque's record reads
// numero_Modelo, FechaPago, Numero, chk_numero, chk_Modelo, Cuenta, Importe
// (in cents, 13 digits) and indicador; it throws TErrorOperacion for a cheque
// without an amount. The totals record counts numeroRegistros + 1 records (it
// counts itself).
QString lineaCabeceraFichero(const tOrdenantes& ordenante, const QString& fechaConfeccion,
                             const QString& fechaProceso);
QString lineaRegistroTalon(const tOrdenantes& ordenante, const tTalon& talon);
QString lineaTotalesFichero(int numeroRegistros, int numeroTalones, const QString& nif,
                            qint64 totalCentimos);

// Creates dirCons + fichero (replacing a file of that name) with its header.
void escribeCabeceraFichero(const QString& dirCons, const tOrdenantes& ordenante,
                            const QString& fichero, const QString& fechaConfeccion,
                            const QString& fechaProceso,
                            const IDestinoFicheros& destino = destinoDisco());

// Appends the cheque's record (as lineaRegistroTalon makes it) to dirCons +
// the remittance's nombre_Cons.
void escribeRegistroTalon(const QString& dirCons, const tOrdenantes& ordenante, const tTalon& talon,
                          const tRemesas& remesa, const IDestinoFicheros& destino = destinoDisco());

// Appends the totals record; the record count written is numeroRegistros + 1
// (the totals record counts itself).
void escribeTotalesFichero(const QString& dirCons, const QString& fichero, int numeroRegistros,
                           int numeroTalones, const QString& nif, qint64 totalCentimos,
                           const IDestinoFicheros& destino = destinoDisco());
