#pragma once
// Code values stored in the cheque tables.

#include <QString>

// State of a cheque. The tables hold it as the code "0", "1" or "2"; only the
// reading and writing of a row turn one into the other.
enum class Estado { Correcto, Incompleto, Duplicado };

// The table's code of a state.
QString codigoEstado(Estado estado);
// The state of a table's code; anything unknown is taken as a duplicate, as
// lists show it, so that it is never counted nor emitted as correct.
Estado estadoDeCodigo(QStringView codigo);

// Word shown for a state.
QString palabraEstado(Estado estado);

// Name of a document type code; unknown codes are "DESCONOCIDO".
QString descripcionModelo(const QString& codigo);
