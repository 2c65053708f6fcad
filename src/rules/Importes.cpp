#include "Importes.h"

#include "Numeros.h"
#include "Textos.h"

#include <QRegularExpression>

namespace {

// A number as the amount fields take it: optional sign, digits, optional
// decimal comma with digits; at least one digit. No exponent, no point.
bool esNumeroConComa(const QString& texto) {
    static const QRegularExpression patron(QStringLiteral("\\A[+-]?[0-9]*(,[0-9]*)?\\z"));
    if (!patron.match(texto).hasMatch())
        return false;
    for (QChar c : texto)
        if (c >= u'0' && c <= u'9')
            return true;
    return false;
}

// A run of decimal digits plus one, carrying as far as needed.
QString sumaUno(QString digitos) {
    for (qsizetype i = digitos.size() - 1; i >= 0; --i) {
        if (digitos[i] != u'9') {
            digitos[i] = QChar(digitos[i].unicode() + 1);
            return digitos;
        }
        digitos[i] = u'0';
    }
    return u'1' + digitos;
}

} // namespace

// Groups the decimal digits of a magnitude by thousands.
QString agrupaDigitos(const QString& digitos) {
    QString resultado;
    const qsizetype n = digitos.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            resultado += u'.';
        resultado += digitos[i];
    }
    return resultado;
}

bool centimosAImporte(QString& texto) {
    const std::optional<qint64> valor = leeEntero64(texto);
    if (!valor)
        return false;
    // The sign goes before the whole amount: -5 cents is -0,05, not 0,-5.
    QString digitos = QString::number(*valor);
    const bool negativo = digitos.startsWith(u'-');
    if (negativo)
        digitos.remove(0, 1);
    digitos = rellenaCadena(digitos, QStringLiteral("0"), 3, false);
    texto = (negativo ? QStringLiteral("-") : QString()) + digitos.left(digitos.size() - 2) + u',' +
            digitos.right(2);
    return true;
}

bool filtraTeclaImporte(QChar& tecla) {
    const char16_t u = tecla.unicode();
    if ((u >= u'0' && u <= u'9') || u == u',' || u == 8 || u == 3 || u == 22 || u == 24)
        return true;
    tecla = (u == u'.') ? QChar(u',') : QChar(0);
    return false;
}

std::optional<QString> alineaEnteroDerecha(const QString& entero, int ancho) {
    const std::optional<qint64> valor = leeEntero64(entero);
    if (!valor)
        return std::nullopt;
    return alineaEnteroDerecha(*valor, ancho);
}

QString alineaEnteroDerecha(qint64 valor, int ancho) {
    return rellenaCadena(QString::number(valor), QStringLiteral(" "), ancho, false);
}

QString quitaSeparadoresMiles(const QString& importe) {
    QString resultado = importe;
    resultado.remove(u'.');
    resultado.remove(u' ');
    return resultado;
}

QString completaDecimales(const QString& importe) {
    const qsizetype coma = importe.indexOf(u',');
    if (coma >= 0) {
        const QString decimales = importe.mid(coma + 1);
        return importe.left(coma + 1) + rellenaCadena(decimales, QStringLiteral("0"), 2, true);
    }
    const qsizetype n = importe.size();
    if (n <= 9)
        return importe + QStringLiteral(",00");
    const int campo = (n <= 11) ? 11 : (n >= 16 && n <= 17) ? 17 : 0;
    if (campo == 0)
        return importe;
    const QString lleno = rellenaCadena(importe, QStringLiteral("0"), campo, true);
    return lleno.left(campo - 2) + u',' + lleno.right(2);
}

QString formateaImporte(const QString& importe) {
    const QString cero = QStringLiteral("0,00");
    const QString texto = quitaSeparadoresMiles(importe).trimmed();
    if (texto.isEmpty() || !esNumeroConComa(texto))
        return cero;
    const QString completo = completaDecimales(texto);
    const qsizetype coma = completo.indexOf(u',');
    const QString entero = coma >= 0 ? completo.left(coma) : QString();
    const QString decimales = coma >= 0 ? completo.mid(coma + 1, 2) : QString();
    const std::optional<QString> alineado = alineaEnteroDerecha(entero, 11);
    if (!alineado)
        return cero;
    return agrupaMiles(*alineado) + u',' + decimales;
}

QString agrupaMiles(const QString& numero) {
    const QString texto = numero.trimmed();
    if (!esNumeroConComa(texto))
        return QStringLiteral("0");
    const qsizetype coma = texto.indexOf(u',');
    QString entero = coma >= 0 ? texto.left(coma) : texto;
    const QString decimales = coma >= 0 ? texto.mid(coma + 1) : QString();
    const bool negativo = entero.startsWith(u'-');
    if (entero.startsWith(u'-') || entero.startsWith(u'+'))
        entero.remove(0, 1);
    // Worked on the digits themselves, so a number of any width comes out exact.
    while (entero.size() > 1 && entero.front() == u'0')
        entero.remove(0, 1);
    if (entero.isEmpty())
        entero = QStringLiteral("0");
    // Half a unit or more rounds away from zero.
    if (!decimales.isEmpty() && decimales[0] >= u'5')
        entero = sumaUno(entero);
    if (entero == u'0')
        return entero;
    return (negativo ? QStringLiteral("-") : QString()) + agrupaDigitos(entero);
}
