#pragma once
// Statements on the drawer table shared by more than one operation.

#include "Registros.h"

#include <QString>

namespace motor {
class Conexion;
} // namespace motor

// The first drawer with the account in the Deudores table of schema
// `esquema` ("main", or the alias it is attached under). When there is none:
// with `crea`, a new nameless one with the next key (EsNuevo then true),
// else an empty record (key 0). Creating runs inside a write transaction, so
// that two programs storing the same new account never both create its
// drawer. Throws TErrorOperacion on an engine failure.
TCliente libradoDeCuenta(motor::Conexion& con, const QString& esquema, const QString& cuenta,
                         bool crea = true);
