#include "ValidacionTalon.h"

#include "DigitosControl.h"
#include "Fechas.h"
#include "Iban.h"
#include "Numeros.h"
#include "Textos.h"
#include "TiposDocumento.h"

namespace {

bool falla(QString& mensaje, const QString& texto) {
    mensaje = texto;
    return false;
}

bool hayDuplicado(const tTalon& talon, const tContextoValidacion& contexto) {
    return contexto.duplicidadTalon && contexto.duplicidadTalon(talon);
}

} // namespace

bool superaLimiteSinImagen(const QString& importe) {
    QString texto = importe;
    texto.remove(u' ');
    texto.remove(u'.');
    texto.remove(u',');
    const std::optional<qint64> centimos = leeEntero64(texto);
    return !centimos || *centimos > 5000000;
}

bool validaTalon(const tTalon& talon, QString& mensaje, const tContextoValidacion& contexto) {
    using namespace MensajeValidacion;
    const QString& modelo = talon.numero_Modelo;
    const QString& numero = talon.Numero;

    if (!esTipoDocumentoValido(modelo))
        return falla(mensaje, TipoNoValido);
    // A model number with anything but digits has no check digit to compare:
    // "42.2" would otherwise pass with the "0" that an unreadable number gives.
    if (modelo.size() < 6 || !sonDigitos(QStringView(modelo).left(4)) ||
        digitoControlModulo7(modelo.left(4)) != modelo.mid(5, 1))
        return falla(mensaje, DigitoControl);
    if (numero.size() < 7 || !esNumerico(numero.left(7)))
        return falla(mensaje, NumeroNoValido);
    if (numero.size() < 9 ||
        digitoControlModulo7(modelo.left(4) + numero.left(7)) != numero.mid(8, 1))
        return falla(mensaje, DigitoNumero);
    if (talon.Importe.isEmpty() || talon.Importe.trimmed() == u"0,00")
        return falla(mensaje, ImporteCero);
    if (!contexto.existeImagenFrontal && superaLimiteSinImagen(talon.Importe))
        return falla(mensaje, LimiteSinImagen);
    if (!esCuentaCCCValida(talon.Cuenta))
        return falla(mensaje, CuentaNoValida);
    if (tipoConVencimiento(modelo)) {
        if (!esFechaValida(talon.FechaPago, contexto.hoy))
            return falla(mensaje, FechaNoValida);
        if (hayDuplicado(talon, contexto))
            return falla(mensaje, YaProcesado);
    } else {
        if (hayDuplicado(talon, contexto))
            return falla(mensaje, YaProcesado);
        if (contexto.mostradoComoDuplicado)
            return falla(mensaje, DocumentoDuplicado);
    }
    return true;
}
