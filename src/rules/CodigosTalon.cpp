#include "CodigosTalon.h"

QString codigoEstado(Estado estado) {
    switch (estado) {
    case Estado::Correcto:
        return QStringLiteral("0");
    case Estado::Incompleto:
        return QStringLiteral("1");
    case Estado::Duplicado:
        break;
    }
    return QStringLiteral("2");
}

Estado estadoDeCodigo(QStringView codigo) {
    if (codigo == u"0")
        return Estado::Correcto;
    if (codigo == u"1")
        return Estado::Incompleto;
    return Estado::Duplicado;
}

QString palabraEstado(Estado estado) {
    switch (estado) {
    case Estado::Correcto:
        return QStringLiteral("CORRECTO");
    case Estado::Incompleto:
        return QStringLiteral("INCOMPLETO");
    case Estado::Duplicado:
        break;
    }
    return QStringLiteral("DUPLICADO");
}

QString descripcionModelo(const QString& codigo) {
    static const char* const nombres[] = {
        "CHEQUE CUENTA CORRIENTE", "CHEQUE NOMINA", "PAGARES",      "PAGO DOMICILIADO",
        "CHEQUE BANCARIO",         "DESCONOCIDO",   "ERROR ESCANEO"};
    if (codigo.size() == 1 && codigo[0] >= u'0' && codigo[0] <= u'6')
        return QString::fromLatin1(nombres[codigo[0].unicode() - u'0']);
    return QStringLiteral("DESCONOCIDO");
}
