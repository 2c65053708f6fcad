#include "CodigosTalon.h"

QString palabraEstado(const QString& codigo) {
    if (codigo == Estado::Correcto)
        return QStringLiteral("CORRECTO");
    if (codigo == Estado::Incompleto)
        return QStringLiteral("INCOMPLETO");
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
