#include "Iban.h"

#include "DigitosControl.h"
#include "Numeros.h"

#include <QRegularExpression>

bool esCuentaCCCValida(const QString& cuenta) {
    if (cuenta == QString(20, u'0') || cuenta.trimmed().isEmpty())
        return false;
    // An account whose digits cannot be computed is never valid, even when
    // it carries the "??" that stands for them.
    const QString digitos = calculaDigitosControlCCC(cuenta);
    return digitos != u"??" && cuenta.mid(8, 2) == digitos;
}

QString letrasANumeros(const QString& texto) {
    QString resultado;
    resultado.reserve(texto.size() * 2);
    for (QChar c : texto) {
        if (c >= u'A' && c <= u'Z')
            resultado += QString::number(c.unicode() - u'A' + 10);
        else
            resultado += c;
    }
    return resultado;
}

int restoModulo97(const QString& iban) {
    QString texto = iban.toUpper();
    const qsizetype prefijo = texto.indexOf(QStringLiteral("IBAN"));
    if (prefijo >= 0)
        texto.remove(prefijo, 4);
    texto = texto.mid(4) + texto.left(4);
    const QString digitos = letrasANumeros(texto);

    QString resto;
    qsizetype trozo = qMin<qsizetype>(9, digitos.size());
    qsizetype posicion = 0;
    while (posicion < digitos.size()) {
        const QString parte = resto + digitos.mid(posicion, trozo);
        posicion += trozo;
        // Only digits: a sign would read as a number but is no IBAN character.
        if (!sonDigitos(parte))
            return 0;
        const std::optional<qint64> valor = leeEntero64(parte);
        if (!valor)
            return 0;
        resto = QString::number(*valor % 97);
        trozo = 9 - resto.size();
    }
    return resto.isEmpty() ? 0 : resto.toInt();
}

bool esIbanValido(const QString& iban) {
    QString texto = iban;
    texto.remove(u' ');
    // The remainder alone would accept texts such as "1"; an IBAN also has
    // its shape: country, check digits and an account of up to 30 characters.
    QString compacto = texto.toUpper();
    if (compacto.startsWith(QStringLiteral("IBAN")))
        compacto.remove(0, 4);
    static const QRegularExpression forma(QStringLiteral("\\A[A-Z]{2}[0-9]{2}[A-Z0-9]{1,30}\\z"));
    if (!forma.match(compacto).hasMatch())
        return false;
    return restoModulo97(texto) == 1;
}
