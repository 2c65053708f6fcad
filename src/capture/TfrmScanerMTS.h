#pragma once
// Capture window of the keyboard MICR reader (scanner type 4): the reader
// types each codeline into the input box; a one-second timer decides when the
// codeline is complete (38 characters) or the wait is over (tiempoSAFE
// ticks), turns the text into a read line and asks whether to read another
// document. The reader takes no images.

#include "TfrmCaptura.h"

#include <QTimer>

class QLineEdit;

class TfrmScanerMTS : public TfrmCaptura {
    Q_OBJECT
public:
    static inline const QString Caption =
        QStringLiteral("Escaneo  de Cheques. Escáner tipo MAGTEK");
    static inline const QString TextoPosicion = QStringLiteral("Posición del cheque");
    static inline const QString TextoConfirmacion =
        QStringLiteral("Si desea leer otro cheque, pulse el botón \"Aceptar\" y después, "
                       "introduzca el documento en el lector. En otro caso, pulse \"Cancelar\"");
    static inline const QString CabeceraConfirmacion = QStringLiteral("Confirmación");
    static QStringList ayuda();

    explicit TfrmScanerMTS(TdmBBDD& dm, QWidget* parent = nullptr);

    QLineEdit* edtCodigo = nullptr;
    QTimer Timer1;

    bool leyendo() const { return leyendo_; }
    int contadorBucle() const { return contadorBucle_; }
    int maximoTicks() const { return maximo_; }

    // One tick of Timer1 (the tests call it instead of waiting a second).
    void Timer1Timer();

protected:
    void leer() override;
    QString fotoDetalle() const override { return QStringLiteral("Magtek2.JPG"); }
    QString fotoDespiece() const override { return QStringLiteral("Magtek1.JPG"); }
    QString textoEnlaceDespiece() const override { return TextoPosicion; }
    QStringList textoAyuda() const override { return ayuda(); }
    void alMostrar() override;
    void alCerrar() override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void empiezaDocumento();
    void preparaDocumento();
    void tomaTexto(const QString& texto);

    int contadorBucle_ = 0;
    int maximo_ = 0;
    bool leyendo_ = false;
};
