#include "DigitosControl.h"

#include "Numeros.h"

namespace {

QChar digitoCCC(QStringView digitos, const int* pesos) {
    int suma = 0;
    for (qsizetype i = 0; i < digitos.size(); ++i)
        suma += (digitos[i].unicode() - u'0') * pesos[i];
    const int r = suma % 11;
    if (r == 0)
        return u'0';
    // 11 - r is 1 to 10; its first character, so 10 gives "1".
    return QString::number(11 - r).at(0);
}

} // namespace

QString digitoControlModulo7(const QString& numero) {
    const std::optional<qint64> valor = leeEntero64(numero);
    if (!valor)
        return QStringLiteral("0");
    // Non-negative remainder: the answer is always a single digit.
    const qint64 resto = ((*valor % 7) + 7) % 7;
    return QString::number(resto);
}

QString calculaDigitosControlCCC(const QString& cuenta) {
    static const int pesosOficina[] = {4, 8, 5, 10, 9, 7, 3, 6};
    static const int pesosCuenta[] = {1, 2, 4, 8, 5, 10, 9, 7, 3, 6};
    if (cuenta.size() < 20)
        return QStringLiteral("??");
    const QStringView texto(cuenta);
    const QStringView entidadOficina = texto.mid(0, 8);
    const QStringView numeroCuenta = texto.mid(10, 10);
    if (!sonDigitos(entidadOficina) || !sonDigitos(numeroCuenta))
        return QStringLiteral("??");
    return QString(digitoCCC(entidadOficina, pesosOficina)) + digitoCCC(numeroCuenta, pesosCuenta);
}
