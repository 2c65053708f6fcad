#pragma once
// Capture window of the Vision X reader (scanner type 5). The reader's engine
// is started once, by the scanner check, and reports to this window for the
// rest of the run, whether or not the window is shown: each document arrives
// as a codeline event (a read line) followed by an images event (its three
// image files). "&Leer cheques" starts the feeding; "&Parar", "&Desatascar"
// and "&Reiniciar" act by the state the device reports.
//
// Messages of an engine event are shown after the event was handled, so that
// the events are still handled one at a time and in order while a box waits
// for the operator.
//
// A feed runs from a successful "&Leer cheques" until the device no longer
// says "Feeding" (the engine sends no event at the end: the window asks the
// device while it feeds). Meanwhile "&Leer cheques", Save and Clear are
// disabled and the state line says so; lines that arrive while a question
// is open wait for it. Closing the window stops a feed.

#include "TfrmCaptura.h"

#include <QStringList>

#include <memory>

class TAdaptadorVisionX;
class TEnlaceVisionAPI;
class QTimer;

class TfrmScanerVisionX : public TfrmCaptura {
    Q_OBJECT
public:
    static inline const QString Caption =
        QStringLiteral("Escaneo de Cheques. Escáner tipo Panini: Vision X");

    TfrmScanerVisionX(TdmBBDD& dm, TEnlaceVisionAPI& enlace, QWidget* parent = nullptr);
    ~TfrmScanerVisionX() override;

    // Starts the engine (once); false when no reader answered, after one
    // retry 5 seconds later.
    bool enciendeEscaner();
    TAdaptadorVisionX& adaptador() { return *adaptador_; }

    QPushButton* btnParar = nullptr;
    QPushButton* btnDesatascar = nullptr;
    QPushButton* btnReiniciar = nullptr;
    // How often the device is asked whether it still feeds.
    static constexpr int IntervaloAlimentacion = 150;
    bool alimentando() const { return alimentando_; }

protected:
    void leer() override;
    QString fotoDetalle() const override { return QStringLiteral("Detalle_VisionX.jpg"); }
    QString fotoDespiece() const override { return QStringLiteral("Despiece_VisionX.jpg"); }
    QStringList textoAyuda() const override;
    void alMostrar() override;
    void alCerrar() override;
    bool lecturaEnCurso() const override { return alimentando_; }
#ifdef Q_OS_WIN
    // The engine message of the reader's library, posted to this window.
    bool nativeEvent(const QByteArray& tipo, void* mensaje, qintptr* resultado) override;
#endif

private:
    // Runs a button's work; its messages are shown at once.
    template <class F> void boton(F trabajo);
    void avisa(const QString& texto);
    void muestraPendientes();
    void compruebaAlimentacion();
    void finDeAlimentacion();
    void muestraEstado();

    std::unique_ptr<TAdaptadorVisionX> adaptador_;
    bool enBoton_ = false;
    bool mostrando_ = false;
    QStringList pendientes_;
    QTimer* tmrAlimentacion_ = nullptr;
    bool alimentando_ = false;
    bool haLeido_ = false; // a feed was started in this showing
    int documentos_ = 0;   // lines of the current or last feed
};
