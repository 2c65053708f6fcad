#pragma once
// The catalogue of fixed texts: captions and messages that windows read by
// name. The records are filled once from a static table and never change;
// they carry only the entries this program shows.

#include <QString>

struct tRegistroCaptions {
    QString captionInformacion;
    QString captionCajaMensajes;
    QString CaptionAcreedor;
    QString CaptionEuros;
    QString Caption0Euros;
    QString CaptioncopiaRemesa;
    QString CaptioncopiaRemesaFallida;
    QString CaptionVersion;
};

struct tRegistro_Mensajes {
    QString MnjErrorDirectorios;
    QString MnjErrorTablas;
    QString mnjErrorNombreAcreedor;
    QString mnjErrorNifAcreedor;
    QString mnjErrorIbanNoEspanol;
    QString mnjErrorFechaConf;
    QString mnjErrorFechaAbono;
    QString mnjErrorEmision;
    // The cheque number's check digit is wrong (the rules' own text).
    QString mnjErrorDigitoNumero;
    QString mnjAvisoBorradoAcreedor;
    QString mnjAvisoBorradoLibrado;
};

namespace Cadenas {
// The filled records, built on first use; every window reads them here.
const tRegistroCaptions& captions();
const tRegistro_Mensajes& mensajes();
} // namespace Cadenas
