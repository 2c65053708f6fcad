#pragma once
// Dates typed by the operator, as text "dd/mm/yyyy".

#include <QDate>
#include <QString>

// True for a real date, "dd/mm/yyyy" or eight digits ddmmyyyy, that lies
// from 365 days before today to 365 days after it, both ends included.
bool esFechaValida(const QString& fecha, const QDate& hoy);
bool esFechaValida(const QString& fecha);

// The date of a "dd/mm/yyyy" text (day and month of one or two digits, a
// four-digit year); an invalid date for anything else.
QDate leeFecha(const QString& fecha);
