#pragma once
// The catalogue of fixed texts: captions and messages that windows read by
// name. The records are filled once from a static table and never change;
// they carry only the entries this program shows.

#include <QObject>
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

// The catalogue object created at start-up. It is never shown; creating it
// fills the records, so the texts are ready before the message loop runs.
class TFrmCadenas : public QObject {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Cadenas_Mensajes");

    explicit TFrmCadenas(QObject* parent = nullptr);

    const tRegistroCaptions& RegistroCaptions() const { return Cadenas::captions(); }
    const tRegistro_Mensajes& RegistroMensajes() const { return Cadenas::mensajes(); }
};
