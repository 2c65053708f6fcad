#pragma once
// Text helpers: padding of fixed-width fields, the digit test, and the
// cleaning of names and read lines.

#include "Registros.h"

#include <QString>

// Pads the text with the pad text until it is at least the given length:
// after it when aLaDerecha is set, before it otherwise. A text already that
// long is returned whole, never cut. An empty pad returns the text unchanged.
QString rellenaCadena(const QString& texto, const QString& relleno, int longitud, bool aLaDerecha);

// True when the text has at least one character and all are "0" to "9".
bool esNumerico(const QString& texto);

// Folds accented capitals (and their small letters) to plain capitals and
// replaces symbols by "?", the double quote by "? " and the apostrophe by a
// blank. Unaccented letters keep their case.
QString normalizaTexto(const QString& texto);

// First step of decoding a read line: drops "-", blanks, symbols, "?" and the
// letters A to Z; each double quote leaves one blank. Digits, "¬" and the
// punctuation ". , / : ( )" survive.
QString limpiaLineaLectura(const QString& linea);

// Empties the presenter's NIF, name and account; key and new flag are kept.
void limpiaRegistroOrdenante(tOrdenantes& ordenante);

// Empties the remittance's name; the other fields are kept.
void limpiaNombreRemesa(tRemesas& remesa);
