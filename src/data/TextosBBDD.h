#pragma once
// Fixed texts and placeholder values of the table operations, written once.

#include <QString>

namespace MensajeBBDD {
inline const QString NombreRemesaEnBlanco =
    QStringLiteral("El Nombre de la remesa no puede quedar en blanco");
inline const QString RemesaDuplicada = QStringLiteral("Ya existe una remesa con ese mismo nombre");
inline const QString PresentadorDuplicado = QStringLiteral("Presentador duplicado");
// The rules of a presenter typed by the operator (also in the message catalogue).
inline const QString NombrePresentadorEnBlanco =
    QStringLiteral("El Nombre del presentador no puede quedar en blanco.");
inline const QString NifPresentadorIncorrecto = QStringLiteral("El Nif/CIF no es correcto.");
inline const QString IbanNoEspanol =
    QStringLiteral("El iban introducido debe ser Español y tecnicamente correcto.");
// The cheque the editor showed is no longer what the remittance holds.
inline const QString TalonCambiadoAlGuardar = QStringLiteral(
    "Otro programa ha modificado, emitido o eliminado este cheque desde que se mostró; la "
    "lista se ha actualizado con lo que hay ahora en la remesa. Revise el cheque y repita el "
    "cambio si sigue siendo necesario.");
inline const QString TalonCambiadoAlEliminar = QStringLiteral(
    "Otro programa ha modificado, emitido o eliminado este cheque desde que se mostró; no se "
    "ha eliminado y la lista se ha actualizado con lo que hay ahora en la remesa. Revise el "
    "cheque y elimínelo de nuevo si sigue siendo necesario.");
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

// An account of exactly twenty "#", like the manual cheques' placeholder,
// stands for no account at all.
inline const QString CuentaSinLibrado = QString(20, u'#');

// A placeholder account is no drawer's: a cheque that carries one has none
// (drawer key 0) until the operator types its real account.
inline bool esCuentaProvisional(const QString& cuenta) {
    return cuenta == TalonManual::Cuenta || cuenta == CuentaSinLibrado;
}
