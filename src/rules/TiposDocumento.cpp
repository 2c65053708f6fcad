#include "TiposDocumento.h"

#include "Numeros.h"

namespace {

// Model code of a type code; the bad-read type 99 only when asked for.
int modeloDeTipo(qint64 tipo, bool conErrorEscaneo) {
    switch (tipo) {
    case 42:
    case 43:
        return 0;
    case 77:
        return 1;
    case 82:
    case 83:
        return 2;
    case 90:
    case 91:
        return 3;
    case 75:
        return 4;
    case 99:
        return conErrorEscaneo ? 6 : 5;
    default:
        return 5;
    }
}

} // namespace

QString modeloDeTipoDocumento(const QString& numeroModelo) {
    const std::optional<qint64> tipo = leeEntero64(QStringView(numeroModelo).left(2));
    return QString::number(tipo ? modeloDeTipo(*tipo, true) : 5);
}

bool esTipoDocumentoValido(const QString& texto) {
    const std::optional<qint64> tipo = leeEntero64(QStringView(texto).left(2));
    if (!tipo)
        return false;
    switch (*tipo) {
    case 42:
    case 43:
    case 75:
    case 77:
    case 82:
    case 83:
    case 90:
    case 91:
        return true;
    default:
        return false;
    }
}

int modeloDeTipoNumerico(const QString& tipo) {
    const std::optional<qint64> valor = leeEntero64(tipo);
    return valor ? modeloDeTipo(*valor, false) : 5;
}

bool tipoConVencimiento(const QString& numeroModelo) {
    const QStringView tipo = QStringView(numeroModelo).left(2);
    return tipo == u"82" || tipo == u"83" || tipo == u"90" || tipo == u"91";
}

tReglasModelo reglasAlSalirDelModelo(const QString& numeroModelo) {
    tReglasModelo reglas;
    const bool conFecha = tipoConVencimiento(numeroModelo);
    reglas.fechaEditable = conFecha;
    reglas.portadorEditable = conFecha;
    reglas.vaciaFecha = !conFecha;
    reglas.modelo = modeloDeTipoNumerico(numeroModelo.left(2));
    return reglas;
}

bool fechaEditableAlEmpezarEdicion(const QString& fechaPago, const QString& numeroModelo) {
    // An empty masked date field still shows its separators.
    QString fecha = fechaPago;
    fecha.remove(u'/');
    return !fecha.trimmed().isEmpty() || tipoConVencimiento(numeroModelo);
}
