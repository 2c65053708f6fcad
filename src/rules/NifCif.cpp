#include "NifCif.h"

#include "Numeros.h"

namespace {

QChar letraDni(qint64 numero) {
    static const char letras[] = "TRWAGMYFPDXBNJZSQVHLCKE";
    return QLatin1Char(letras[numero % 23]);
}

int controlCif(QStringView digitos) {
    int suma = 0;
    for (qsizetype i = 0; i < digitos.size(); ++i) {
        const int d = digitos[i].unicode() - u'0';
        if (i % 2 == 1) {
            suma += d;
        } else {
            const int doble = 2 * d;
            suma += doble / 10 + doble % 10;
        }
    }
    return (10 - suma % 10) % 10;
}

bool validaCif(QStringView nif) {
    const QChar organizacion = nif[0];
    const QStringView digitos = nif.mid(1, 7);
    if (!sonDigitos(digitos))
        return false;
    const int c = controlCif(digitos);
    const QChar digito(u'0' + c);
    const QChar letra = QLatin1Char("JABCDEFGHI"[c]);
    const QChar control = nif[8];
    if (QStringView(u"ABEH").contains(organizacion))
        return control == digito;
    if (QStringView(u"NPQRSW").contains(organizacion))
        return control == letra;
    if (QStringView(u"CDFGJUV").contains(organizacion))
        return control == digito || control == letra;
    return false;
}

} // namespace

bool Valida_NIF_CIF(const QString& nif) {
    QString texto = nif.toUpper();
    texto.remove(u' ');
    texto.remove(u'-');
    if (texto.size() != 9)
        return false;
    const QStringView v(texto);
    const QChar primero = v[0];
    const QChar ultimo = v[8];

    QString numero;
    if (primero >= u'0' && primero <= u'9')
        numero = v.left(8).toString();
    else if (primero == u'X' || primero == u'Y' || primero == u'Z')
        numero = QString::number(primero.unicode() - u'X') + v.mid(1, 7).toString();
    else if (primero == u'K' || primero == u'L' || primero == u'M')
        numero = v.mid(1, 7).toString();
    else
        return validaCif(v);

    if (!sonDigitos(numero))
        return false;
    const std::optional<qint64> valor = leeEntero64(numero);
    return valor && ultimo == letraDni(*valor);
}
