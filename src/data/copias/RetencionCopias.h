#pragma once
// Which backup copies stay: the `conservar` most recent ones, and the first
// copy of each of the last twelve months (counting the month of `hoy`), so
// that a damage found late can still be undone from an older state. The
// newest copy always stays, whatever `conservar` says.

#include <QDate>
#include <QDateTime>
#include <QList>

// The dates of the copies to remove, out of `fechas` (any order).
QList<QDateTime> copiasSobrantes(const QList<QDateTime>& fechas, int conservar, const QDate& hoy);
