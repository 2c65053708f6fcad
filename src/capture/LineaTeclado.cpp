#include "LineaTeclado.h"

QString codigoDeTeclado(const QString& tecleado) {
    QString codigo = QStringLiteral("+") + tecleado.mid(1, 7) + u'#' + tecleado.mid(9);
    codigo.replace(u'_', u'?');
    if (codigo.size() < LineaTeclado::LongitudMinima)
        codigo = codigo.leftJustified(LineaTeclado::LongitudMinima, u'?');
    return codigo;
}
