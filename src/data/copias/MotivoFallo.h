#pragma once
// The reason a file of a copy could not be written, in Spanish first and then
// in the system's own words for support.

#include <QString>

QString motivoFallo(const QString& textoSistema);
