#pragma once
// Reads a presentation file back and checks it as the bank will, before it
// is called good: each line ends in CR LF and holds one record of its
// length, a header first, a totals record last and cheque records between;
// every field holds only the characters its record allows (see
// RegistrosBanco.h); the accounts, cheque numbers and model numbers carry
// their right check digits; the totals record counts and sums what the
// cheque records say and, when the caller knows them, what the history
// holds for the emission.

#include <QString>
#include <QtGlobal>

#include <optional>

struct tTotalesFicheroBanco {
    int talones = 0;
    qint64 centimos = 0;
    friend bool operator==(const tTotalesFicheroBanco&, const tTotalesFicheroBanco&) = default;
};

struct tVerificacionFicheroBanco {
    bool correcto = false;
    // The first wrong line (1-based); 0 when none is wrong or the file
    // cannot be read.
    int linea = 0;
    // In Spanish, naming the file and the first wrong line; empty when good.
    QString mensaje;
    // What the cheque records hold: how many and their sum in cents, as far
    // as they were read.
    tTotalesFicheroBanco leidos;
};

// `esperados`, when given, are the emission's cheques as the history holds
// them: the file must count and sum the same.
tVerificacionFicheroBanco
verificaFicheroBanco(const QString& ruta,
                     const std::optional<tTotalesFicheroBanco>& esperados = std::nullopt);

// The same check for a file just written: throws TErrorOperacion with its
// message when the file is not right.
void compruebaFicheroBanco(const QString& ruta,
                           const std::optional<tTotalesFicheroBanco>& esperados);
