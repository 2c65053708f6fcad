#pragma once
// Tables the program keeps beside those of the remittances, the presenters
// and the history, for data of its own (control totals, image marks): one
// table file in Tablas/ each, made on the first write. A missing file reads
// as a table with no rows, so reading never creates one.

#include "MotorTablas.h"

#include <memory>

struct tDefinicionTabla;

// The table file open for reading; nullptr when it does not exist yet.
// Throws TErrorOperacion when it exists and cannot be opened.
std::unique_ptr<motor::Conexion> abreTablaAuxiliar(const QString& ruta);
// The table file open for writing, made with its table when missing. Throws
// TErrorOperacion with the engine's message when it cannot be.
std::unique_ptr<motor::Conexion> abreTablaAuxiliarParaEscribir(const QString& ruta,
                                                               const tDefinicionTabla& def);
// Runs one statement; throws TErrorOperacion with the engine's message.
void ejecutaEnTablaAuxiliar(motor::Conexion& con, const QString& sql,
                            const QVariantList& valores = {});
