#pragma once
// The two reports written beside the presentation file at every emission:
// the covering letter "INFO." + number, which the presenter signs and hands
// to the bank, and the detailed report "INFORES." + number, one group of
// lines per emitted cheque and the totals. Windows-1252, CR LF, lines not
// padded to a width. Each writer opens, writes and closes its file, and
// throws TErrorOperacion when it cannot, or when an amount or a count does
// not read as a number.
//
// They read the emission's working copy of the remittance: nombre_Cons,
// Fecha_Confeccion, Fecha_Proceso, Importe (plain amount), Numero_Talones,
// and the presenter's Nombre_Ordenante, Nif (with its trailing blank) and
// Cuenta_Acreedor.

#include "FicherosTexto.h"
#include "Registros.h"

#include <QString>

// File names of an emission's letter and report: "INFO" and "INFORES"
// followed by the suffix of the emission's file name (".0007" of "CONS.0007").
inline QString ficheroCarta(const QString& sufijo) {
    return QStringLiteral("INFO") + sufijo;
}
inline QString ficheroInforme(const QString& sufijo) {
    return QStringLiteral("INFORES") + sufijo;
}

// A plain amount (1234,56) as the reports print it: thousands grouped with
// ".", a decimal comma, two decimals, and the word "Zero" for zero. Throws
// TErrorOperacion when the text is not a number with a decimal comma.
QString importeInforme(const QString& importePlano);

// Creates the covering letter (replacing a file of that name): 53 lines; the
// receiving bank's name goes on line 16, the totals (count, amount, process
// date) on line LineaTotalesCarta under their heading and its underline.
inline constexpr int LineaTotalesCarta = 30;
void escribeCartaOrden(const QString& ruta, const tRemesas& remesa, const QString& nombreBanco,
                       const IDestinoFicheros& destino = destinoDisco());

// Creates the detailed report (replacing a file of that name) with its head.
void escribeCabeceraInforme(const QString& ruta, const tRemesas& remesa,
                            const IDestinoFicheros& destino = destinoDisco());

// Appends the cheque's lines: Numero, Cuenta, Importe (display form),
// Modelo_Talon (its description), Nombre_Cliente, and for a promissory note
// (model beginning with "8") FechaPago and indicador.
void escribeDetalleTalon(const QString& ruta, const tTalon& talon,
                         const IDestinoFicheros& destino = destinoDisco());

// The same lines, for a caller that writes the files itself: the letter
// (53 lines), the report's head, one cheque's group, the report's totals.
QStringList lineasCartaOrden(const tRemesas& remesa, const QString& nombreBanco);
QStringList lineasCabeceraInforme(const tRemesas& remesa);
QStringList lineasDetalleTalon(const tTalon& talon);
QStringList lineasTotalesInforme(const tRemesas& remesa);

// Appends the totals as the last lines of the detailed report.
void escribeTotalesInforme(const QString& ruta, const tRemesas& remesa,
                           const IDestinoFicheros& destino = destinoDisco());
