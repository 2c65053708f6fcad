#pragma once
// The one cleaning of what a reader library hands over as a codeline, the
// same for every reader, before the read line is built from it.
//
// A library may hand over anything: line ends, control characters, bytes of
// another code page, "¬" (the mark before the sequence number of a read line,
// which inside a codeline would make the storing step take the wrong number),
// or a runaway text. The cleaned codeline:
//   - has its trailing blanks and control characters removed (a line end or
//     the padding of a buffer says nothing about the document);
//   - keeps every printable ASCII character (" " to "~") as it is;
//   - has every other byte (control characters, "¬", bytes of other code
//     pages, each byte of a multi-byte character) turned into "?", the
//     unreadable mark, so that the storing step files the line as a bad read;
//   - holds at most 200 characters: a longer text is cut to 199 and ended
//     with "?".
// Each reader then adds what its read line needs around it ("+" or "ERROR ",
// "¬" and the sequence number). A whole, clean codeline passes unchanged.

#include <QByteArray>
#include <QString>

namespace CodelineLector {
inline constexpr int LongitudMaxima = 200;
} // namespace CodelineLector

// The bytes a reader library handed over, one character each.
QString limpiaCodelineLector(const QByteArray& bytes);
