#pragma once
// Fixed texts and placeholder values of the table operations, written once.

#include <QString>

namespace MensajeBBDD {
inline const QString NombreRemesaEnBlanco =
    QStringLiteral("El Nombre de la remesa no puede quedar en blanco");
inline const QString RemesaDuplicada = QStringLiteral("Ya existe una remesa con ese mismo nombre");
inline const QString PresentadorDuplicado = QStringLiteral("Presentador duplicado");
// First, fixed line of the presenter choice list.
inline const QString SeleccioneOrdenante =
    QStringLiteral("------------------Seleccione un ordenante------------------");
// An amount that does not read as one (the amount, then the cheque number).
inline const QString ImporteNoValido = QStringLiteral("El importe '%1' del cheque %2 no es válido");
} // namespace MensajeBBDD

// A cheque typed in by the operator starts with these values.
namespace TalonManual {
inline const QString Numero = QStringLiteral("0000000");
inline const QString NumeroModelo = QStringLiteral("0000");
inline const QString Importe = QStringLiteral("0000");
inline const QString ModeloTalon = QStringLiteral("5");
// Every manual cheque shares the one drawer with this account.
inline const QString Cuenta = QString(19, u'#');
} // namespace TalonManual

// An account of exactly twenty "#" never matches a drawer: a new one is
// created for it every time.
inline const QString CuentaSinLibrado = QString(20, u'#');
