#pragma once
// Statements on a cheque table shared by more than one operation.

#include "Registros.h"

#include <QString>

namespace motor {
class Conexion;
class Sentencia;
} // namespace motor

// The drawer link and the remittance are not part of an update: the editor
// renames the drawer's own row instead, or links the cheque to another one.
inline const QString sqlActualizaTalon = QStringLiteral(
    "UPDATE Talones SET Modelo_Talon = ?, indicador = ?, Importe = ?, Numero = ?, Cuenta = ?, "
    "Fecha_Talon = ?, Estado = ?, Nombre_Cliente = ?, Numero_Modelo = ? WHERE Pk_Talon = ?");

// The cheque with the key as its one parameter, in the columns leeTalon reads.
inline const QString sqlLeeTalon =
    QStringLiteral("SELECT indicador, Modelo_Talon, Numero_Modelo, Fecha_Talon, Numero, Estado, "
                   "Cuenta, Importe, Nombre_Cliente, fk_Clientes FROM Talones "
                   "WHERE Pk_Talon = ? ORDER BY rowid LIMIT 1");

// The row sqlLeeTalon answered, over the record's stored fields (key,
// remittance and the fields of no column stay as they are).
void leeTalon(const motor::Sentencia& s, tTalon& destino);

// Whether the cheque's row in the table open on `con` is no longer what the
// editor showed (`mostrado`, as read by leeTalon): changed, or gone (deleted
// or emitted by another program). Run inside the write transaction that
// changes the row, so nothing can come in between. Throws TErrorOperacion on
// an engine failure.
bool compruebaCambioTalon(motor::Conexion& con, const tTalon& mostrado);
