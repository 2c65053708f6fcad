#include "Numeros.h"

#include <limits>

std::optional<qint64> leeEntero64(QStringView texto) {
    bool negativo = false;
    if (!texto.isEmpty() && (texto.front() == u'+' || texto.front() == u'-')) {
        negativo = texto.front() == u'-';
        texto = texto.mid(1);
    }
    if (!sonDigitos(texto))
        return std::nullopt;
    // Accumulate as a negative number: its range is one wider, so the
    // smallest 64-bit value reads back too.
    constexpr qint64 minimo = std::numeric_limits<qint64>::min();
    qint64 valor = 0;
    for (QChar c : texto) {
        const int digito = c.unicode() - u'0';
        if (valor < (minimo + digito) / 10)
            return std::nullopt;
        valor = valor * 10 - digito;
    }
    if (negativo)
        return valor;
    if (valor == minimo)
        return std::nullopt;
    return -valor;
}

bool sonDigitos(QStringView texto) {
    if (texto.isEmpty())
        return false;
    for (QChar c : texto)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}
