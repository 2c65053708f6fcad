#pragma once
// Statements on a cheque table shared by more than one operation.

#include <QString>

// The drawer link and the remittance are not part of an update: the editor
// renames the drawer's own row instead, or links the cheque to another one.
inline const QString sqlActualizaTalon = QStringLiteral(
    "UPDATE Talones SET Modelo_Talon = ?, indicador = ?, Importe = ?, Numero = ?, Cuenta = ?, "
    "Fecha_Talon = ?, Estado = ?, Nombre_Cliente = ?, Numero_Modelo = ? WHERE Pk_Talon = ?");
