#pragma once
// Control totals of a remittance: the number of documents and the amount the
// operator totalled by hand (deposit slip, adding machine) against those the
// program counts. Either figure may be left undeclared; only what was
// declared is compared.

#include "Importes.h"

#include <optional>

struct tCuadreDeclarado {
    std::optional<qint64> documentos;
    std::optional<tImporte> importe;

    bool vacio() const { return !documentos && !importe; }
};

struct tTotalesCuadre {
    qint64 documentos = 0;
    tImporte importe;
};

// Counted minus declared, for each declared figure: below zero, documents
// or money missing.
struct tDiferenciaCuadre {
    std::optional<qint64> documentos;
    std::optional<tImporte> importe;

    // Something was declared and every declared figure matches.
    bool cuadrado() const;
    // Something declared does not match.
    bool descuadrado() const;
};

tDiferenciaCuadre comparaCuadre(const tCuadreDeclarado& declarado, const tTotalesCuadre& contado);

// The declared count as typed: blank is undeclared; nullopt with `valido`
// false when it is not a whole number from 0 up.
std::optional<qint64> leeDocumentosDeclarados(const QString& texto, bool& valido);
// The declared amount as an amount field holds it: blank is undeclared.
std::optional<tImporte> leeImporteDeclarado(const QString& texto, bool& valido);
