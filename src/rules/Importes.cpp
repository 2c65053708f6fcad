#include "Importes.h"

#include "Numeros.h"
#include "Textos.h"

#include <QRegularExpression>

#include <limits>

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

// Whole euros and decimals to cents; nothing when they do not fit in 64 bits.
// Two decimals are taken; the third rounds half away from zero when `redondea`.
std::optional<tImporte> componeImporte(bool negativo, QStringView enteros, QStringView decimales,
                                       bool redondea) {
    const std::optional<qint64> euros =
        enteros.isEmpty() ? std::optional<qint64>(0) : leeEntero64(enteros);
    const QString dos = rellenaCadena(decimales.left(2).toString(), QStringLiteral("0"), 2, true);
    const std::optional<qint64> centimos = leeEntero64(dos);
    constexpr qint64 maximo = std::numeric_limits<qint64>::max();
    if (!euros || !centimos || *euros < 0 || *euros > (maximo - 100) / 100)
        return std::nullopt;
    qint64 valor = *euros * 100 + *centimos;
    if (redondea && decimales.size() > 2 && decimales[2] >= u'5')
        ++valor;
    return tImporte::deCentimos(negativo ? -valor : valor);
}

// The magnitude of the cents as decimal digits, at least three.
QString digitosCentimos(qint64 centimos) {
    const quint64 magnitud = centimos < 0 ? 0 - quint64(centimos) : quint64(centimos);
    return rellenaCadena(QString::number(magnitud), QStringLiteral("0"), 3, false);
}

QString signo(qint64 centimos) {
    return centimos < 0 ? QStringLiteral("-") : QString();
}

} // namespace

std::optional<tImporte> tImporte::leePlano(QStringView texto) {
    static const QRegularExpression forma(QStringLiteral("\\A([+-]?)([0-9]*)(?:,([0-9]*))?\\z"));
    const QString recortado = texto.trimmed().toString();
    const QRegularExpressionMatch m = forma.match(recortado);
    if (!m.hasMatch())
        return std::nullopt;
    const QStringView enteros = m.capturedView(2);
    const QStringView decimales = m.capturedView(3);
    // Sixteen whole digits keep the cents within 64 bits.
    if ((enteros.isEmpty() && decimales.isEmpty()) || enteros.size() > 16)
        return std::nullopt;
    return componeImporte(m.capturedView(1) == u"-", enteros, decimales, true);
}

std::optional<tImporte> tImporte::leeTexto(QStringView texto) {
    return leePlano(quitaSeparadoresMiles(texto.toString()));
}

std::optional<tImporte> tImporte::leeCentimos(QStringView texto) {
    const std::optional<qint64> valor = leeEntero64(texto);
    if (!valor)
        return std::nullopt;
    return deCentimos(*valor);
}

std::optional<tImporte> tImporte::leeEntrada(const QString& texto) {
    const QString limpio = quitaSeparadoresMiles(texto).trimmed();
    if (limpio.isEmpty() || !esNumeroConComa(limpio))
        return std::nullopt;
    const QString completo = completaDecimales(limpio);
    const qsizetype coma = completo.indexOf(u',');
    if (coma < 0)
        return std::nullopt;
    QStringView enteros = QStringView(completo).left(coma);
    const bool negativo = enteros.startsWith(u'-');
    if (enteros.startsWith(u'-') || enteros.startsWith(u'+'))
        enteros = enteros.mid(1);
    // The integer part must be there: ",5" is not an amount here.
    if (enteros.isEmpty())
        return std::nullopt;
    return componeImporte(negativo, enteros, QStringView(completo).mid(coma + 1), false);
}

QString tImporte::plano() const {
    const QString digitos = digitosCentimos(centimos_);
    return signo(centimos_) + digitos.left(digitos.size() - 2) + u',' + digitos.right(2);
}

QString tImporte::visible() const {
    const QString digitos = digitosCentimos(centimos_);
    return signo(centimos_) + agrupaDigitos(digitos.left(digitos.size() - 2)) + u',' +
           digitos.right(2);
}

QString tImporte::campoCentimos(int ancho) const {
    const quint64 magnitud = centimos_ < 0 ? 0 - quint64(centimos_) : quint64(centimos_);
    const QString s = signo(centimos_);
    return s + rellenaCadena(QString::number(magnitud), QStringLiteral("0"), ancho - int(s.size()),
                             false);
}

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

QString textoImporte(const std::optional<tImporte>& importe) {
    return importe ? importe->plano() : QString();
}

bool esImporteIlegible(QStringView texto) {
    return !texto.trimmed().isEmpty() && !tImporte::leeTexto(texto);
}

bool centimosAImporte(QString& texto) {
    const std::optional<tImporte> importe = tImporte::leeCentimos(texto);
    if (!importe)
        return false;
    texto = importe->plano();
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
    return tImporte::leeEntrada(importe).value_or(tImporte()).visible();
}

QString importeVisible(const QString& almacenado) {
    return tImporte::leeTexto(almacenado).value_or(tImporte()).visible();
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
