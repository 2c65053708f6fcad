#pragma once
// The codeline that the keyboard MICR reader typed, as a read line's codeline
// string: "+", the seven characters at positions 2 to 8 (the cheque number),
// "#", everything from position 10 on; "_" (unreadable) becomes "?", and a
// result shorter than 35 characters is padded with "?". Positions 1 and 9 are
// the reader's symbols around the cheque number. A text that stops short just
// yields what exists; the storing step judges the result.

#include <QString>

namespace LineaTeclado {
inline constexpr int LongitudMinima = 35;
// A complete codeline as the reader types it.
inline constexpr int LongitudCompleta = 38;
} // namespace LineaTeclado

QString codigoDeTeclado(const QString& tecleado);
