#include "ComparacionCuadre.h"

bool tDiferenciaCuadre::cuadrado() const {
    return (documentos || importe) && !descuadrado();
}

bool tDiferenciaCuadre::descuadrado() const {
    return (documentos && *documentos != 0) || (importe && importe->centimos() != 0);
}

tDiferenciaCuadre comparaCuadre(const tCuadreDeclarado& declarado, const tTotalesCuadre& contado) {
    tDiferenciaCuadre d;
    if (declarado.documentos)
        d.documentos = contado.documentos - *declarado.documentos;
    if (declarado.importe)
        d.importe =
            tImporte::deCentimos(contado.importe.centimos() - declarado.importe->centimos());
    return d;
}

std::optional<qint64> leeDocumentosDeclarados(const QString& texto, bool& valido) {
    const QString t = quitaSeparadoresMiles(texto.trimmed());
    valido = true;
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const qint64 n = t.toLongLong(&ok);
    valido = ok && n >= 0;
    return valido ? std::optional<qint64>(n) : std::nullopt;
}

std::optional<tImporte> leeImporteDeclarado(const QString& texto, bool& valido) {
    valido = true;
    if (texto.trimmed().isEmpty())
        return std::nullopt;
    const std::optional<tImporte> i = tImporte::leeEntrada(texto.trimmed());
    valido = i.has_value() && i->centimos() >= 0;
    return valido ? i : std::nullopt;
}
