#pragma once
// Strict reading of decimal integers. Every rule that "reads a text as an
// integer" goes through here, so all of them accept and refuse the same texts:
// an optional sign followed by ASCII digits, nothing else, within 64 bits.

#include <QStringView>
#include <QtGlobal>

#include <optional>

// Signed 64-bit value of the text; nothing for an empty text, a blank, any
// character other than an ASCII digit after the sign, or an overflow.
std::optional<qint64> leeEntero64(QStringView texto);

// True when the text is not empty and holds ASCII digits only.
bool sonDigitos(QStringView texto);
