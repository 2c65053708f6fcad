#pragma once
// Amounts as text. Every amount uses "," for decimals and "." for thousands,
// whatever the machine's regional settings:
//   plain form    1234,50   (as stored)
//   display form  1.234,50  (lists, entry fields, reports; zero is "0,00")
//   cents digits  00000012345 = 123,45 (the amount field of a codeline)
// Whatever is computed is computed in 64-bit integers, never floating point.

#include <QChar>
#include <QString>
#include <QtGlobal>

#include <optional>

// Cents digits to the plain form, in place: 00000012345 becomes 123,45 and
// 5 becomes 0,05. Answers false and leaves the text alone when it does not
// read as a 64-bit integer.
bool centimosAImporte(QString& texto);

// Key filter of amount fields. Digits, the comma, backspace and the control
// codes of copy, paste and cut pass (true). A point becomes a comma (false);
// any other key becomes code 0, which the field ignores (false).
bool filtraTeclaImporte(QChar& tecla);

// The integer text right-aligned with blanks to the width (a wider number is
// written whole); nothing when the text is not a 64-bit integer.
std::optional<QString> alineaEnteroDerecha(const QString& entero, int ancho);
QString alineaEnteroDerecha(qint64 valor, int ancho);

// The amount text without its thousands points and blanks.
QString quitaSeparadoresMiles(const QString& importe);

// Gives an amount text a decimal comma and at least two decimals. Texts
// without a comma are read by length: up to 9 characters are whole euros,
// 10 or 11 a cents field of 11, 16 or 17 a cents field of 17; other lengths
// are left without a comma.
QString completaDecimales(const QString& importe);

// Display form of an amount given in any of the forms above; "0,00" for
// anything unreadable. Extra decimals are dropped, not rounded.
QString formateaImporte(const QString& importe);

// The number grouped by thousands with points, rounded to whole units (half
// away from zero), exact at any width; "0" for zero and for a text that is
// not a number.
QString agrupaMiles(const QString& numero);

// Puts a point between every three digits of a run of decimal digits, from the right.
QString agrupaDigitos(const QString& digitos);
