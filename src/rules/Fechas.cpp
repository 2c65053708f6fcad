#include "Fechas.h"

#include "Numeros.h"

#include <QStringList>

QDate leeFecha(const QString& fecha) {
    const QStringList partes = fecha.split(u'/');
    if (partes.size() != 3)
        return {};
    const QString& dia = partes[0];
    const QString& mes = partes[1];
    const QString& anio = partes[2];
    if (!sonDigitos(dia) || !sonDigitos(mes) || !sonDigitos(anio) || dia.size() > 2 ||
        mes.size() > 2 || anio.size() != 4)
        return {};
    return QDate(anio.toInt(), mes.toInt(), dia.toInt());
}

bool esFechaValida(const QString& fecha, const QDate& hoy) {
    QString texto = fecha.trimmed();
    // A short text is taken as ddmmyyyy typed without separators.
    if (texto.size() < 10)
        texto = texto.mid(0, 2) + u'/' + texto.mid(2, 2) + u'/' + texto.mid(4, 4);
    const QDate d = leeFecha(texto);
    if (!d.isValid() || !hoy.isValid())
        return false;
    const qint64 dias = hoy.daysTo(d);
    return dias >= -365 && dias <= 365;
}

bool esFechaValida(const QString& fecha) {
    return esFechaValida(fecha, QDate::currentDate());
}
