#pragma once
// Capture window of the Excella readers: type 2 (automatic feed from the
// hopper) and type 3 (Excella STX, documents inserted one at a time). The
// caption, help text and reader pictures follow the type configured when the
// window is shown. "&Leer cheques" runs the reader's loop inside the button
// until the reader has no more documents; the window does not answer the
// operator meanwhile, but the list is repainted after each document. The
// device stays open across runs and is closed when the window closes.

#include "TfrmCaptura.h"

#include <memory>

class TAdaptadorExcella;
class TEnlaceMtxmlmcr;

class TfrmScanerX : public TfrmCaptura {
    Q_OBJECT
public:
    static inline const QString CaptionExcella =
        QStringLiteral("Escaneo  de Cheques. Escáner tipo MagTek Excella");
    static inline const QString CaptionExcellaSTX =
        QStringLiteral("Escaneo  de Cheques. Escáner tipo MagTek Excella STX");
    // Help text A (automatic feed) and B (manual feed).
    static QStringList ayudaA();
    static QStringList ayudaB();

    TfrmScanerX(TdmBBDD& dm, TEnlaceMtxmlmcr& enlace, QWidget* parent = nullptr);
    ~TfrmScanerX() override;

    TAdaptadorExcella& adaptador() { return *adaptador_; }
    QPushButton* btnReiniciar = nullptr;

protected:
    void leer() override;
    QString fotoDetalle() const override;
    QString fotoDespiece() const override;
    QStringList textoAyuda() const override;
    void alMostrar() override;
    void alCerrar() override;

private:
    int tipo() const;

    std::unique_ptr<TAdaptadorExcella> adaptador_;
};
