#pragma once
// The checks a cheque must pass before the cheque editor saves it. They run in
// a fixed order; the first that fails gives its message.

#include "Registros.h"

#include <QDate>
#include <QString>

#include <functional>

// Facts about the cheque that live outside its record.
struct tContextoValidacion {
    // The front JPEG of the cheque is in the image folder.
    bool existeImagenFrontal = false;
    // The amount's text, as typed or stored, held something that is not an
    // amount: the record carries none, and the check calls it wrong rather
    // than missing.
    bool importeIlegible = false;
    // The editor shows the cheque as a duplicate (its stored state is "2").
    bool mostradoComoDuplicado = false;
    // Asked only when the earlier checks pass: true when another stored cheque
    // has the same number, model number and account. Unset means none.
    std::function<bool(const tTalon&)> duplicidadTalon;
    // The day against which due dates are checked.
    QDate hoy = QDate::currentDate();
};

namespace MensajeValidacion {
inline const QString TipoNoValido = QStringLiteral("El tipo de cheque no es valido.");
inline const QString DigitoControl =
    QStringLiteral("El dígito de control del tipo de cheque no es correcto.");
inline const QString NumeroNoValido = QStringLiteral("El numero de cheque no es valido");
// The number's own check digit has its own message, so that the operator
// knows which of the two digits to look at.
inline const QString DigitoNumero =
    QStringLiteral("El dígito de control del número de cheque no es correcto.");
inline const QString ImporteCero = QStringLiteral("El importe no puede quedar a cero");
// An amount that does not read as one, or is below zero.
inline const QString ImporteNoValido = QStringLiteral("El importe introducido no es valido");
inline const QString LimiteSinImagen = QStringLiteral(
    "El importe del cheque no puede superar los 50.000,00 Euros, si no se dispone de la imagen.");
inline const QString CuentaNoValida = QStringLiteral("La cuenta introducida no es valida");
inline const QString FechaNoValida = QStringLiteral("La fecha introducida no es valida");
inline const QString YaProcesado =
    QStringLiteral("Ya se ha procesado un cheque del mismo formato con el mismo número y cuenta");
inline const QString DocumentoDuplicado =
    QStringLiteral("Documento duplicado no puede ser tramitado, elimínelo.");
} // namespace MensajeValidacion

// True when the cheque passes every check; otherwise false with the message
// of the first check that failed (the message is untouched on success).
bool validaTalon(const tTalon& talon, QString& mensaje, const tContextoValidacion& contexto);

// True when the amount (plain or display form) is above 50.000,00 or does not
// read as an amount.
bool superaLimiteSinImagen(const QString& importe);
bool superaLimiteSinImagen(tImporte importe);
