#include "ValidacionTalon.h"

#include "DigitosControl.h"
#include "Fechas.h"
#include "Iban.h"
#include "Importes.h"
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
    const std::optional<tImporte> valor = tImporte::leeTexto(importe);
    return !valor || superaLimiteSinImagen(*valor);
}

bool superaLimiteSinImagen(tImporte importe) {
    return importe.centimos() > 5000000;
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
    const std::optional<tImporte>& importe = talon.Importe;
    if (!contexto.importeIlegible && (!importe || importe->centimos() == 0))
        return falla(mensaje, ImporteCero);
    // A negative or unreadable amount would reach the bank as a broken record.
    if (contexto.importeIlegible || !importe || importe->centimos() < 0)
        return falla(mensaje, ImporteNoValido);
    if (!contexto.existeImagenFrontal && superaLimiteSinImagen(*importe))
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
